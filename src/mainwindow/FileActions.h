#pragma once

#include <QObject>

class GameList;
class MainMenus;
class Session;
struct Windows;
namespace TitleExtraction {
struct Shown;
}

// The main window's commands that delete and rename the user's ROM files and change the title shown for a
// game. Each works on the selected entry (renaming all: on every listed entry) and then sets the list and the
// menus again.
class FileActions : public QObject
{
    Q_OBJECT
public:
    FileActions(Session &session, GameList &list, MainMenus &menus, Windows &windows);

    // "Eliminar": after a confirmation the selected file goes to the desktop's trash; the list is read again
    // and the menus follow the (now empty) selection.
    void deleteSelected();
    // "Cambiar Nombre": the selected entry's name opens for editing in the list; the list renames the file when
    // the editing ends.
    void renameSelected();
    // "Renombrar Archivo a Título": the selected file renamed to its title, then the ROM folder loaded again.
    void renameSelectedToTitle();
    // "Renombrar archivos a títulos (A todo)": every listed file renamed to its title, with progress, then the
    // ROM folder loaded again. The current stem and the codes dialog's internal name keep the last file's stem.
    void renameAllToTitles();
    // "Cambiar Título": the change-title dialog for the selected file; a stored title is then shown.
    void changeTitle();

    // The confirmation asked before a file goes to the trash, and the message when it could not.
    static QString deleteQuestion(const QString &fileName);
    static QString deleteFailure(const QString &fileName);
    // The battery saves, clocks and save states of the game, which a delete takes along only when asked to;
    // none when another game file bears the same stem.
    static QStringList savesOf(const QString &rom);

private:
    // What an extraction shows: the title label, the codes dialog's game name and internal name.
    void showExtracted(const TitleExtraction::Shown &shown);
    // The current stem and the codes dialog's internal-name label.
    void setCurrentStem(const QString &stem);

    Session &m_session;
    GameList &m_list;
    MainMenus &m_menus;
    Windows &m_windows;
};
