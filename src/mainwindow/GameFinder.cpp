#include "mainwindow/GameFinder.h"

#include "app/Session.h"
#include "emulator/EmulatorRuns.h"
#include "language/Language.h"
#include "language/MessageTable.h"
#include "library/TitleLists.h"
#include "mainwindow/FilterField.h"
#include "mainwindow/GameList.h"
#include "mainwindow/MainMenus.h"
#include "mainwindow/RomListView.h"
#include "platform/ErrorHandler.h"
#include "platform/FormWindow.h"
#include "platform/PathHelpers.h"
#include "settings/DataIniFile.h"
#include "settings/SettingsFile.h"

#include <QAction>
#include <algorithm>
#include <QLocale>
#include <QMenu>
#include <QPointer>
#include <QShortcut>
#include <QWidget>

namespace {

// Every title of the title list, by stem folded to one case; a list that cannot be read gives none.
GameFilterModel::Titles readTitles()
{
    GameFilterModel::Titles titles;
    try {
        const DataIniFile list(TitleLists::titlesFile());
        const QStringList stems = list.readSections();
        titles.reserve(stems.size());
        for (const QString &stem : stems) {
            const QString title = list.readString(stem, TitleLists::TitleKey, QString());
            if (!title.isEmpty())
                titles.insert(stem.toCaseFolded(), title);
        }
    } catch (const CartlingError &) {
        // The list shows file names, as without titles; operations on the list report the file.
    }
    return titles;
}

QString duration(qint64 seconds)
{
    if (seconds < 60)
        return QStringLiteral("%1 s").arg(seconds);
    const qint64 minutes = seconds / 60;
    if (minutes < 60)
        return QStringLiteral("%1 min").arg(minutes);
    return QStringLiteral("%1 h %2 min").arg(minutes / 60).arg(minutes % 60);
}

} // namespace

GameFinder::GameFinder(Session &session, GameList &list, MainMenus &menus)
    : QObject(&menus), m_session(session), m_list(list), m_menus(menus)
{
    m_field = named(new FilterField, "FilterField");
    // The field takes the width the list has; its own wish would widen the window beyond its design.
    m_field->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    const auto setTexts = [field = QPointer<FilterField>(m_field)] {
        if (!field)
            return;
        field->setPlaceholderText(messageTable().text(FinderText::FilterPlaceholder));
        field->setAccessibleName(messageTable().text(FinderText::FilterName));
    };
    setTexts();
    // The language file of the late start-up step comes after this field is made.
    session.language().whenApplied(setTexts);
    connect(m_field, &QLineEdit::textChanged, this,
            guarded([this](const QString &text) { m_list.setFilterText(text); }));
    connect(m_field, &FilterField::downPressed, this, guarded([this] {
                m_list.shownView()->setFocus();
                if (!m_session.selectedEntry())
                    m_list.selectRow(0);
            }));
    connect(m_field, &FilterField::enterPressed, this, guarded([this] { m_list.launchSelectedOrFirst(); }));
    // A large collection is folded for matching while the user starts to type.
    connect(m_field, &FilterField::focused, this, [this] { m_list.shown().prepareForTyping(); });

    GameFilterModel &shown = m_list.shown();
    shown.setTitleSource(readTitles);
    shown.setRecordSource([this] { return m_records.all(); });
    connect(&m_session, &Session::titlesChanged, this, [this] { m_list.titlesChanged(); });

    m_session.romList().addRowNotes([this](const RomListModel::Entry &entry) -> RomListModel::RowNote {
        if (m_records.record(stemOf(entry.caption)).favourite)
            return {QString::fromUtf8("\u2605"), messageTable().text(FinderText::Favourite)};
        return {};
    });
    m_session.addDetailLines([this](const RomListModel::Entry &entry) { return detailLines(entry.fullPath); });

    connect(&emulatorRuns(), &EmulatorRuns::started, this,
            guarded([this](const QString &rom, const QDateTime &at) { emulatorStarted(rom, at); }));
    connect(&emulatorRuns(), &EmulatorRuns::ended, this,
            guarded([this](const QString &rom, const QDateTime &at, int) { emulatorEnded(rom, at); }));
    createItems();
}

void GameFinder::createItems()
{
    QMenu *view = m_menus.menu("AHMMenuItem3");
    m_showTitles = m_menus.addFeatureItem(view, "MostrarTitulos1", FinderText::ShowTitles, {}, m_menus.item("ss"));
    m_showTitles->setCheckable(true);
    m_showTitles->setChecked(SettingsFile().read(Keys::ShowTitles));
    m_list.shown().setShowTitles(m_showTitles->isChecked());
    connect(m_showTitles, &QAction::triggered, this, guarded([this](bool on) { setShowTitles(on); }));

    // In the Archivo menu for its shortcut, and in the pop-up menu beside the other per-game items.
    m_favourite = m_menus.addFeatureItem(m_menus.menu("AHMMenuItem1"), "Favorito1", FinderText::Favourite,
                                         QKeySequence(Qt::CTRL | Qt::Key_B), m_menus.item("Eliminar"));
    m_favouritePopup =
        m_menus.addFeatureItem(m_menus.popup(), "Favorito2", FinderText::Favourite, {}, m_menus.item("Eliminar2"));
    for (QAction *item : {m_favourite, m_favouritePopup}) {
        item->setCheckable(true);
        connect(item, &QAction::triggered, this, guarded([this] { toggleFavourite(); }));
        m_menus.followSelection(item, [this, item](const std::optional<QString> &path) {
            // The mark follows the selected game whenever the menus are switched for it.
            item->setChecked(path && m_records.record(stemOf(*path)).favourite);
            return path.has_value();
        });
    }

    auto *find = new QShortcut(QKeySequence(QKeySequence::Find), m_session.window());
    connect(find, &QShortcut::activated, this, [this] { focusField(); });
}

void GameFinder::focusField()
{
    m_field->setFocus(Qt::ShortcutFocusReason);
    m_field->selectAll();
}

void GameFinder::setShowTitles(bool on)
{
    m_showTitles->setChecked(on);
    m_list.setShowTitles(on);
    SettingsFile().write(Keys::ShowTitles, on);
}

void GameFinder::toggleFavourite()
{
    const auto entry = m_session.selectedEntry();
    if (!entry)
        return;
    const QString stem = stemOf(entry->fullPath);
    const bool favourite = !m_records.record(stem).favourite;
    try {
        m_records.setFavourite(stem, favourite);
    } catch (const CartlingError &) {
        recordsChanged(); // the marks show what the file holds
        throw;
    }
    recordsChanged();
}

void GameFinder::emulatorStarted(const QString &rom, const QDateTime &at)
{
    m_running.insert(rom, at);
    m_records.recordLaunch(stemOf(rom), at);
    recordsChanged();
}

void GameFinder::emulatorEnded(const QString &rom, const QDateTime &at)
{
    // Of several emulators on one ROM, the one started first is taken to end first.
    const QList<QDateTime> starts = m_running.values(rom);
    if (starts.isEmpty())
        return;
    const QDateTime started = *std::min_element(starts.begin(), starts.end());
    m_running.remove(rom, started);
    m_records.recordPlay(stemOf(rom), started.secsTo(at));
    recordsChanged();
}

void GameFinder::recordsChanged()
{
    const auto entry = m_session.selectedEntry();
    for (QAction *item : {m_favourite, m_favouritePopup})
        item->setChecked(entry && m_records.record(stemOf(entry->fullPath)).favourite);
    m_list.recordsChanged();
    m_session.romList().notesChanged();
    m_session.detailsUpdated();
}

QStringList GameFinder::detailLines(const QString &rom) const
{
    const PlayRecord record = m_records.record(stemOf(rom));
    if (!record.played())
        return {};
    const MessageTable &texts = messageTable();
    QStringList lines{texts.text(FinderText::LastPlayed) +
                      QLocale().toString(record.lastPlayed.toLocalTime(), QLocale::ShortFormat) + QStringLiteral(" (") +
                      QString::number(record.launches) + texts.text(FinderText::Times) + u')'};
    if (record.secondsPlayed > 0)
        lines.append(texts.text(FinderText::TimePlayed) + duration(record.secondsPlayed));
    return lines;
}
