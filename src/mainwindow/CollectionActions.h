#pragma once

#include "archive/CompressionOptions.h"

#include <QObject>

class MainWindow;
struct Windows;

// The main window's commands that pack, unpack and take titles from the selected game or every listed game.
// Each runs one operation of the archive and title classes with the selection, the options and a progress
// window, and then refreshes what the operation changed.
class CollectionActions : public QObject
{
    Q_OBJECT
public:
    CollectionActions(MainWindow &window, Windows &windows);

    // "Comprimir" and the compress button.
    void compressSelected();
    // "Descomprimir": the archive's ROMs into the parent of its folder.
    void extractSelected();

    // The compression options as the other-options dialog holds them.
    static CompressionOptions compressionOptions();

private:
    MainWindow &m_window;
    Windows &m_windows;
};
