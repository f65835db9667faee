#include "mainwindow/FileActions.h"

#include "app/Session.h"
#include "language/MessageTable.h"
#include "library/GameFiles.h"
#include "library/TitleDialog.h"
#include "library/TitleRenamer.h"
#include "mainwindow/GameList.h"
#include "mainwindow/MainMenus.h"
#include "mainwindow/RomListView.h"
#include "mainwindow/Windows.h"
#include "platform/ErrorHandler.h"
#include "platform/Messages.h"
#include "platform/PathHelpers.h"
#include "platform/ProgressWindow.h"
#include "platform/Trash.h"
#include "saves/SaveText.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLocale>

namespace {

// The trash belongs to the desktop, which asks in the system's language rather than in the program's.
bool spanishDesktop()
{
    return QLocale::system().language() == QLocale::Spanish;
}

} // namespace

FileActions::FileActions(Session &session, GameList &list, MainMenus &menus, Windows &windows)
    : QObject(&menus), m_session(session), m_list(list), m_menus(menus), m_windows(windows)
{
}

QString FileActions::deleteQuestion(const QString &fileName)
{
    return (spanishDesktop() ? QString::fromUtf8("¿Enviar \"%1\" a la papelera?")
                             : QStringLiteral("Move \"%1\" to the trash?"))
        .arg(fileName);
}

QStringList FileActions::savesOf(const QString &rom)
{
    GameFiles files;
    // Saves shared with another game file of the stem ("game.gb" and "game.gbc") are that one's too.
    if (files.gameFilesWithStem(folderOf(rom), stemOf(rom)) > 1)
        return {};
    QStringList saves;
    for (const GameFiles::Companion &companion : files.of(folderOf(rom), stemOf(rom))) {
        if (QFileInfo(companion.path).isFile() &&
            GameFiles::companionStemLength(fileNameOf(companion.path), GameFiles::Saves) >= 0)
            saves.append(companion.path);
    }
    return saves;
}

QString FileActions::deleteFailure(const QString &fileName)
{
    return (spanishDesktop() ? QString::fromUtf8("No se pudo enviar \"%1\" a la papelera.")
                             : QStringLiteral("\"%1\" could not be moved to the trash."))
        .arg(fileName);
}

void FileActions::deleteSelected()
{
    if (const auto entry = m_session.selectedEntry()) {
        RomListModel &list = m_session.romList();
        // The list works in its own folder; a folder that has gone away deletes nothing.
        if (QDir::setCurrent(list.folder())) {
            // The game's saves stay unless the user says otherwise: hours of play in a few KiB.
            const QStringList saves = savesOf(entry->fullPath);
            bool withSaves = false;
            const bool yes = saves.isEmpty()
                                 ? messages().confirm(deleteQuestion(entry->caption))
                                 : messages().confirmWithOption(
                                       deleteQuestion(entry->caption),
                                       messageTable().text(SaveText::DeleteSavesToo).arg(saves.size()), &withSaves);
            if (yes && !trash().moveToTrash(entry->fullPath)) {
                showMessage(deleteFailure(entry->caption));
            } else if (yes && withSaves) {
                for (const QString &save : saves) {
                    if (!trash().moveToTrash(save))
                        showMessage(deleteFailure(fileNameOf(save)));
                }
            }
            list.reread();
        }
    }
    m_list.updateMenusForSelection();
}

void FileActions::renameSelected()
{
    RomListView *view = m_list.shownView();
    const QModelIndexList selected = view->selectionModel()->selectedIndexes();
    if (m_session.selectedEntry() && !selected.isEmpty())
        view->editName(selected.first());
    m_list.updateMenusForSelection();
}

void FileActions::showExtracted(const TitleExtraction::Shown &shown)
{
    m_session.showInCodes(shown.internalName, shown.codesTitle);
    m_session.showTitle(shown.titleLabel);
}

void FileActions::setCurrentStem(const QString &stem)
{
    m_session.setSelectedStem(stem);
    m_session.showInCodes(stem);
}

void FileActions::renameSelectedToTitle()
{
    const auto entry = m_session.selectedEntry();
    if (!entry)
        return;
    TitleRenamer renamer({[this](const TitleExtraction::Shown &shown) { showExtracted(shown); }, {}});
    renamer.renameSelected(entry->fullPath, m_session.selectedStem());
    m_session.titlesStored();
    m_list.loadRomFolder();
}

void FileActions::renameAllToTitles()
{
    const RomListModel &rows = m_session.romList();
    QStringList files;
    files.reserve(rows.count());
    for (int row = 0; row < rows.count(); ++row)
        files.append(rows.entry(row).fullPath);
    ProgressWindow progress(m_session.window(), m_menus.item("rat")->text().remove(u'&'));
    TitleRenamer renamer({[this](const TitleExtraction::Shown &shown) { showExtracted(shown); },
                          [this](const QString &stem) { setCurrentStem(stem); }},
                         progress.progress());
    try {
        renamer.renameAll(files);
    } catch (const CartlingError &) {
        // Files renamed before the error are shown under their new names.
        m_session.titlesStored();
        m_list.loadRomFolder();
        throw;
    }
    m_session.titlesStored();
    m_list.loadRomFolder();
}

void FileActions::changeTitle()
{
    const auto entry = m_session.selectedEntry();
    if (!entry || !m_windows.titleDialog)
        return;
    if (m_windows.titleDialog->editTitle(entry->fullPath)) {
        m_session.titlesStored();
        m_session.loadSelectedGameDetails();
    }
}
