#include "mainwindow/CollectionActions.h"

#include "archive/ArchiveNameDialog.h"
#include "archive/RomPacker.h"
#include "archive/RomUnpacker.h"
#include "emulator/OtherOptions.h"
#include "emulator/OtherOptionsDialog.h"
#include "gamegenie/GameGenieDialog.h"
#include "library/TitleExtraction.h"
#include "library/TitleListGenerator.h"
#include "library/TitleLists.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/Windows.h"
#include "platform/PathHelpers.h"
#include "platform/ProgressWindow.h"
#include "settings/SettingsFile.h"

#include <QAction>

CollectionActions::CollectionActions(MainWindow &window, Windows &windows)
    : QObject(&window), m_window(window), m_windows(windows)
{
}

bool CollectionActions::replaceTitles() const
{
    if (m_windows.otherOptionsDialog)
        return m_windows.otherOptionsDialog->options().replaceTitles();
    return SettingsFile().read(Keys::SobTituls);
}

CompressionOptions CollectionActions::compressionOptions() const
{
    if (m_windows.otherOptionsDialog)
        return m_windows.otherOptionsDialog->options().compression();
    // Without the dialog, the settings file holds what its controls would show.
    const SettingsFile settings;
    CompressionOptions options;
    options.level = settings.read(Keys::Nivel);
    options.junkDirectoryNames = settings.read(Keys::Subdir);
    options.deleteRom = settings.read(Keys::DelRom);
    options.askName = settings.read(Keys::AskZipName);
    return options;
}

void CollectionActions::compressSelected()
{
    const auto entry = m_window.selectedEntry();
    RomPacker::Selection selection;
    if (entry) {
        const QStringList &files = m_window.packingList();
        selection = {entry->fullPath, stemOf(entry->fullPath), files.isEmpty() ? QStringList{entry->fullPath} : files};
    }
    const auto askName = [this, &selection]() -> std::optional<QString> {
        if (!m_windows.archiveNameDialog)
            return std::nullopt;
        return m_windows.archiveNameDialog->askName(selection.stem);
    };
    ProgressWindow progress(&m_window, m_window.action("Comprimir2")->text().remove(u'&'));
    const RomPacker::Result result =
        RomPacker(m_window.romList().folder(), compressionOptions(), askName, progress.progress()).pack(selection);
    if (result.rereadList())
        m_window.romList().reread();
}

void CollectionActions::extractSelected()
{
    const auto entry = m_window.selectedEntry();
    if (!entry)
        return;
    ProgressWindow progress(&m_window, m_window.action("Descomprimir2")->text().remove(u'&'));
    RomUnpacker::unpackSelected(entry->fullPath, RomUnpacker::targetFolderFor(entry->fullPath), progress.progress());
    m_window.romList().reread();
}

void CollectionActions::showInCodesDialog(const QString &internalName, const std::optional<QString> &title)
{
    GameGenieDialog *codes = m_windows.gameGenieDialog.get();
    if (!codes)
        return;
    codes->showInternalName(internalName);
    if (title)
        codes->showTitle(*title);
}

void CollectionActions::extractTitle()
{
    const auto entry = m_window.selectedEntry();
    if (!entry)
        return;
    const TitleExtraction::Shown shown = TitleExtraction::storeTitleOf(entry->fullPath, m_window.selectedStem());
    showInCodesDialog(shown.internalName, shown.codesTitle);
    m_window.showTitle(shown.titleLabel);
}

void CollectionActions::exportInternalName()
{
    const auto entry = m_window.selectedEntry();
    if (!entry)
        return;
    showInCodesDialog(TitleExtraction::exportInternalName(entry->fullPath, m_window.selectedStem()), std::nullopt);
    m_window.loadSelectedGameDetails();
}

void CollectionActions::generateTitleList(TitleList list)
{
    const RomListModel &rows = m_window.romList();
    QStringList files;
    files.reserve(rows.count());
    for (int row = 0; row < rows.count(); ++row)
        files.append(rows.entry(row).fullPath);
    const bool titles = list == TitleList::Titles;
    ProgressWindow progress(
        &m_window,
        m_window.action(titles ? "GenerarlistadeTitulos1" : "ImportarnombredejuegoaGGcodesini1")->text().remove(u'&'));
    TitleListGenerator(titles ? TitleLists::titlesFile() : TitleLists::internalNamesFile(), replaceTitles(),
                       progress.progress())
        .generate(files);
}
