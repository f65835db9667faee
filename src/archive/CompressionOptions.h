#pragma once

#include <QString>

// The compression choices of the other-options dialog, as its controls show them at the moment of packing.
struct CompressionOptions
{
    QString level = QStringLiteral("6"); // the level field's text; its first character counts
    bool junkDirectoryNames = true;      // "No incluir directorios"
    bool deleteRom = false;              // "Borrar Rom despues de Comprimir"
    bool askName = false;                // "Preguntar por nombre del Fichero ZIP"
};
