#pragma once

#include <QString>

class DataIniFile;

// Taking the cartridge title of one file into the title lists, on the user's request.
namespace TitleExtraction {

// What the windows show after a title was extracted.
struct Shown
{
    QString titleLabel;   // the title label: the title stored under the current stem, or "Título no encontrado"
    QString codesTitle;   // the codes dialog's game name: that title, or the current stem
    QString internalName; // the codes dialog's internal-name label: the stem of the file the title was taken from
};

// "Extraer Título": stores the title of the file (of the one ROM inside an archive) in Titulos.ini under the
// file's stem, replacing what was there; an archive with no ROM or several gives its message and stores
// nothing. Then reads the title under `currentStem` (the selection's stem) for the windows. Raises
// CartlingError when the ROM or the list cannot be read or the list cannot be written.
Shown storeTitleOf(const QString &path, const QString &currentStem);
// The same on a title list that the caller holds open and writes back; a run over many files writes it once.
Shown storeTitleOf(DataIniFile &titles, const QString &path, const QString &currentStem);

// "Exportar nombre a Lista de Códigos": the same into GGCT.ini, the internal-name list. Returns the internal
// name now stored under `currentStem`, for the codes dialog; the caller reloads the codes (loadSelectedGameDetails).
QString exportInternalName(const QString &path, const QString &currentStem);

} // namespace TitleExtraction
