#include "app/Session.h"

#include "library/GameDetails.h"

Session::Session(QObject *parent) : QObject(parent), m_codes(m_template, [this] { return m_cheatsOn; }) {}

Session::~Session() = default;

std::optional<RomListModel::Entry> Session::selectedEntry() const
{
    return m_selectionSource ? m_selectionSource() : std::nullopt;
}

QStringList Session::detailLines() const
{
    QStringList lines;
    if (const auto entry = selectedEntry()) {
        for (const DetailLines &feature : m_detailLines)
            lines += feature(*entry);
    }
    lines.removeAll(QString());
    return lines;
}

void Session::showTitle(const QString &title)
{
    emit titleShown(title);
}

void Session::titlesStored()
{
    emit titlesChanged();
}

template <typename F> void Session::changeCodes(F change)
{
    struct Tell
    {
        Session *session;
        ~Tell() { emit session->codesChanged(); }
    } tell{this};
    change();
}

void Session::loadSelectedGameDetails()
{
    const auto entry = selectedEntry();
    const auto details = GameDetails::read(entry ? std::optional(entry->fullPath) : std::nullopt);
    if (!details)
        return;
    m_selectedStem = details->stem;
    changeCodes([&] {
        // In this order: a row's flag is stored under the internal name already shown.
        m_codes.setInternalName(details->internalName);
        m_codes.setCodesShown(!details->internalName.isEmpty());
        showTitle(details->shownTitle());
        m_codes.setTitle(details->shownTitle());
        m_codes.setRows(details->codes);
        m_codes.applySwitch();
    });
    emit detailsChanged();
}

void Session::showInCodes(const QString &internalName, const std::optional<QString> &title)
{
    changeCodes([&] {
        m_codes.setInternalName(internalName);
        m_codes.setCodesShown(!internalName.isEmpty());
        if (title)
            m_codes.setTitle(*title);
    });
}

void Session::setCheatsOn(bool on)
{
    m_cheatsOn = on;
    m_codes.applySwitch();
}

void Session::prepareCheatsForLaunch()
{
    changeCodes([&] {
        m_codes.uncheckShortCodes();
        m_codes.applySwitch();
    });
}

void Session::takeCheatChoices(const QList<CodeChoice> &choices, const QDateTime &madeAt)
{
    changeCodes([&] { m_codes.takeChoices(choices, madeAt); });
}
