#include "mainwindow/CollectionActions.h"

#include "app/Session.h"
#include "archive/ArchiveNameDialog.h"
#include "archive/RomPacker.h"
#include "archive/RomUnpacker.h"
#include "emulator/OtherOptions.h"
#include "library/TitleExtraction.h"
#include "library/TitleListGenerator.h"
#include "library/TitleLists.h"
#include "mainwindow/MainMenus.h"
#include "mainwindow/Windows.h"
#include "platform/PathHelpers.h"
#include "platform/ProgressWindow.h"
#include "settings/SettingsFile.h"

#include <QAction>

CollectionActions::CollectionActions(Session &session, MainMenus &menus, Windows &windows)
    : QObject(&menus), m_session(session), m_menus(menus), m_windows(windows)
{
}

QString CollectionActions::caption(const char *item) const
{
    return m_menus.item(item)->text().remove(u'&');
}

bool CollectionActions::replaceTitles() const
{
    if (m_windows.otherOptions)
        return m_windows.otherOptions->replaceTitles();
    return SettingsFile().read(Keys::SobTituls);
}

CompressionOptions CollectionActions::compressionOptions() const
{
    if (m_windows.otherOptions)
        return m_windows.otherOptions->compression();
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
    const auto entry = m_session.selectedEntry();
    RomPacker::Selection selection;
    if (entry) {
        const QStringList &files = m_session.packingList();
        selection = {entry->fullPath, stemOf(entry->fullPath), files.isEmpty() ? QStringList{entry->fullPath} : files};
    }
    const auto askName = [this, &selection]() -> std::optional<QString> {
        if (!m_windows.archiveNameDialog)
            return std::nullopt;
        return m_windows.archiveNameDialog->askName(selection.stem);
    };
    ProgressWindow progress(m_session.window(), caption("Comprimir2"));
    const RomPacker::Result result =
        RomPacker(m_session.romList().folder(), compressionOptions(), askName, progress.progress()).pack(selection);
    if (result.rereadList())
        m_session.romList().reread();
}

void CollectionActions::extractSelected()
{
    const auto entry = m_session.selectedEntry();
    if (!entry)
        return;
    ProgressWindow progress(m_session.window(), caption("Descomprimir2"));
    RomUnpacker::unpackSelected(entry->fullPath, RomUnpacker::targetFolderFor(entry->fullPath), progress.progress());
    m_session.romList().reread();
}

void CollectionActions::extractTitle()
{
    const auto entry = m_session.selectedEntry();
    if (!entry)
        return;
    const TitleExtraction::Shown shown = TitleExtraction::storeTitleOf(entry->fullPath, m_session.selectedStem());
    m_session.showInCodes(shown.internalName, shown.codesTitle);
    m_session.showTitle(shown.titleLabel);
    m_session.titlesStored();
}

void CollectionActions::exportInternalName()
{
    const auto entry = m_session.selectedEntry();
    if (!entry)
        return;
    m_session.showInCodes(TitleExtraction::exportInternalName(entry->fullPath, m_session.selectedStem()));
    m_session.loadSelectedGameDetails();
}

void CollectionActions::generateTitleList(TitleList list)
{
    const RomListModel &rows = m_session.romList();
    QStringList files;
    files.reserve(rows.count());
    for (int row = 0; row < rows.count(); ++row)
        files.append(rows.entry(row).fullPath);
    const bool titles = list == TitleList::Titles;
    ProgressWindow progress(m_session.window(),
                            caption(titles ? "GenerarlistadeTitulos1" : "ImportarnombredejuegoaGGcodesini1"));
    TitleListGenerator(titles ? TitleLists::titlesFile() : TitleLists::internalNamesFile(), replaceTitles(),
                       progress.progress())
        .generate(files);
    if (titles)
        m_session.titlesStored();
}
