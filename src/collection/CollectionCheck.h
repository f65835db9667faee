#pragma once

#include <QObject>

class CollectionCommands;
class MainMenus;
class QAction;
class Session;

// Checking the collection against DAT files, in the main window: its items in the Archivo menu ("CargarDAT1",
// "QuitarDAT1", "VerificarColeccion1", "InformeColeccion1", "RenombrarSegunDAT1", "DeshacerRenombrar1", before
// "Salir"), a mark and a tooltip line on every row while DATs are loaded, and the state and cartridge header lines
// in the selected game's details. The commands run over every file of the list's folder and view, as the other "A todo"
// items do.
class CollectionCheck : public QObject
{
    Q_OBJECT
public:
    CollectionCheck(Session &session, MainMenus &menus);

    CollectionCommands &commands() const { return *m_commands; }

private:
    void updateItems();

    Session &m_session;
    CollectionCommands *m_commands;
    QAction *m_forget = nullptr;
    QAction *m_undo = nullptr;
};
