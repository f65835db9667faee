#pragma once

#include <QObject>

class GameList;
class MainMenus;
class Session;

// "Reparar nombre" in the list's pop-up menu: a file whose name is not text (a Latin-1 name copied from
// Windows) gets the same name as text, read from its bytes as Windows-1252. Enabled only for such a file.
class NameRepairActions : public QObject
{
    Q_OBJECT
public:
    NameRepairActions(Session &session, GameList &list, MainMenus &menus);

    // Renames the selected file, never over an existing one (then a message names the name it wanted), and
    // reads the list again.
    void repairSelected();

private:
    Session &m_session;
    GameList &m_list;
};
