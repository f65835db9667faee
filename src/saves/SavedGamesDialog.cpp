#include "saves/SavedGamesDialog.h"

#include "language/MessageTable.h"
#include "platform/FormWindow.h"
#include "platform/Messages.h"
#include "platform/WholeFile.h"
#include "saves/SaveContent.h"
#include "saves/SaveText.h"

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace {

QString savesText(int index)
{
    return messageTable().text(index);
}

// Who wrote a save, from its form: RetroArch's cores keep ".srm", Zibo and mGBA ".sav".
QString writerOf(const QString &save)
{
    return save.endsWith(QStringLiteral(".srm"), Qt::CaseInsensitive) ? QStringLiteral("RetroArch")
                                                                      : QStringLiteral("Zibo / mGBA");
}

} // namespace

SavedGamesDialog::SavedGamesDialog(const QString &baseFolder, const QString &rom, const SavePlace &place,
                                   const QString &emulatorName, QWidget *parent)
    : QDialog(parent), m_copies(baseFolder, rom), m_rom(rom), m_place(place), m_emulatorName(emulatorName)
{
    setObjectName(QStringLiteral("SavedGamesWindow"));
    setWindowTitle(savesText(SaveText::WindowTitle).arg(QFileInfo(rom).fileName()));
    auto *layout = new QVBoxLayout(this);
    m_list = named(new QTreeWidget(this), "SavedGamesList");
    m_list->setHeaderLabels(
        {savesText(SaveText::DateColumn), savesText(SaveText::SizeColumn), savesText(SaveText::WriterColumn)});
    m_list->setRootIsDecorated(false);
    m_list->setAccessibleName(windowTitle());
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    layout->addWidget(m_list);

    auto *buttons = new QDialogButtonBox(this);
    m_restore = named(buttons->addButton(savesText(SaveText::Restore), QDialogButtonBox::ActionRole), "RestoreButton");
    m_export = named(buttons->addButton(savesText(SaveText::Export), QDialogButtonBox::ActionRole), "ExportButton");
    QPushButton *folder =
        named(buttons->addButton(savesText(SaveText::OpenFolder), QDialogButtonBox::ActionRole), "OpenFolderButton");
    QPushButton *close =
        named(buttons->addButton(savesText(SaveText::Close), QDialogButtonBox::RejectRole), "CloseButton");
    for (QPushButton *button : {m_restore, m_export, folder, close})
        button->setAccessibleName(button->text().remove(u'&').remove(QStringLiteral("…")));
    layout->addWidget(buttons);

    connect(m_list, &QTreeWidget::currentItemChanged, this, [this] { selectionChanged(); });
    connect(m_list, &QTreeWidget::itemActivated, this, [this] { restoreChosen(); });
    connect(m_restore, &QPushButton::clicked, this, [this] { restoreChosen(); });
    connect(m_export, &QPushButton::clicked, this, [this] { exportChosen(); });
    connect(folder, &QPushButton::clicked, this, [this] {
        QDir().mkpath(m_copies.folder());
        QDesktopServices::openUrl(QUrl::fromLocalFile(m_copies.folder()));
    });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    resize(520, 360);
    fill();
}

void SavedGamesDialog::fill()
{
    m_list->clear();
    m_shown.clear();
    const QFileInfo current(m_place.save);
    m_currentShown = current.isFile();
    if (m_currentShown) {
        m_shown.append({m_place.save, m_place.clock, current.lastModified(), current.size()});
    }
    m_shown += m_copies.list();
    const QLocale locale;
    for (qsizetype n = 0; n < m_shown.size(); ++n) {
        const SaveCopies::Copy &copy = m_shown[n];
        const bool isCurrent = m_currentShown && n == 0;
        const QString when = locale.toString(copy.taken, QLocale::ShortFormat);
        auto *row = new QTreeWidgetItem(
            m_list, {isCurrent ? savesText(SaveText::CurrentSave) + QStringLiteral(" · ") + when : when,
                     locale.formattedDataSize(copy.size), isCurrent ? m_emulatorName : writerOf(copy.save)});
        row->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    }
    if (m_shown.isEmpty()) {
        auto *row = new QTreeWidgetItem(m_list, {savesText(SaveText::NothingYet)});
        row->setFlags(Qt::NoItemFlags);
    } else {
        m_list->setCurrentItem(m_list->topLevelItem(m_currentShown && m_shown.size() > 1 ? 1 : 0));
    }
    selectionChanged();
}

const SaveCopies::Copy *SavedGamesDialog::chosenCopy() const
{
    const int row = m_list->indexOfTopLevelItem(m_list->currentItem());
    return row >= 0 && row < m_shown.size() ? &m_shown[row] : nullptr;
}

void SavedGamesDialog::selectionChanged()
{
    const int row = m_list->indexOfTopLevelItem(m_list->currentItem());
    const bool any = row >= 0 && row < m_shown.size();
    m_restore->setEnabled(any && !(m_currentShown && row == 0));
    m_export->setEnabled(any);
}

void SavedGamesDialog::restoreChosen()
{
    const SaveCopies::Copy *copy = chosenCopy();
    if (!copy || !m_restore->isEnabled())
        return;
    const QString when = QLocale().toString(copy->taken, QLocale::ShortFormat);
    if (!messages().confirm(savesText(SaveText::RestoreQuestion).arg(when, m_emulatorName)))
        return;
    if (m_copies.restore(*copy, m_place, QDateTime::currentDateTime()))
        showMessage(savesText(SaveText::Restored).arg(when));
    else
        showMessage(savesText(SaveText::NotWritten).arg(m_copies.error()));
    fill();
}

void SavedGamesDialog::exportChosen()
{
    const SaveCopies::Copy *copy = chosenCopy();
    if (!copy)
        return;
    const QFileInfo save(copy->save);
    const QString suggested = QDir::home().filePath(QFileInfo(m_rom).completeBaseName() + u'.' + save.suffix());
    const QString target =
        QFileDialog::getSaveFileName(this, savesText(SaveText::Export).remove(QStringLiteral("…")), suggested);
    if (target.isEmpty())
        return;
    const std::optional<QByteArray> bytes = WholeFile::read(copy->save);
    bool written = bytes && WholeFile::write(target, *bytes);
    // The clock goes along, beside the save under its name.
    if (written && !copy->clock.isEmpty()) {
        const QFileInfo to(target);
        const std::optional<QByteArray> clock = WholeFile::read(copy->clock);
        written = clock && WholeFile::write(to.path() + u'/' + to.completeBaseName() + QStringLiteral(".rtc"), *clock);
    }
    if (!written)
        showMessage(savesText(SaveText::NotWritten).arg(QDir::toNativeSeparators(target)));
}
