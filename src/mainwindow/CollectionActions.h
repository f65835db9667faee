#pragma once

#include "archive/CompressionOptions.h"

#include <QObject>
#include <optional>

class MainMenus;
class Session;
struct Windows;

// The main window's commands that pack, unpack and take titles from the selected game or every listed game.
// Each runs one operation of the archive and title classes with the selection, the options and a progress
// window, and then refreshes what the operation changed.
class CollectionActions : public QObject
{
    Q_OBJECT
public:
    CollectionActions(Session &session, MainMenus &menus, Windows &windows);

    // "Comprimir" and the compress button.
    void compressSelected();
    // "Descomprimir": the archive's ROMs into the parent of its folder.
    void extractSelected();

    // "Extraer Título": the selected file's title into Titulos.ini, shown in the title label and the codes
    // dialog.
    void extractTitle();
    // "Exportar nombre a Lista de Códigos": the selected file's title into GGCT.ini, then the selected game's
    // details and codes loaded again.
    void exportInternalName();
    // "Generar lista de Títulos (A Todo)" and "... para Códigos Game Genie": every listed file's title into
    // Titulos.ini or GGCT.ini.
    enum class TitleList
    {
        Titles,
        InternalNames,
    };
    void generateTitleList(TitleList list);

    // The compression options as the other-options dialog holds them.
    CompressionOptions compressionOptions() const;
    // "Reemplazar títulos existentes" as the other-options dialog holds it.
    bool replaceTitles() const;

private:
    // The caption of a menu item, for the title of its progress window.
    QString caption(const char *item) const;

    Session &m_session;
    MainMenus &m_menus;
    Windows &m_windows;
};
