#pragma once

#include "archive/RomUnpacker.h"
#include "language/MessageTable.h"
#include "platform/Progress.h"

#include <QString>
#include <functional>
#include <optional>

class DataIniFile;

// The two title lists kept by file stem in the base folder: the display titles (Titulos.ini) and the internal
// names that key the Game Genie codes (GGCT.ini). Both hold one key, "Titulo", per stem.
namespace TitleLists {

inline const QString TitleKey = QStringLiteral("Titulo");

// base folder + "/Titulos.ini"
QString titlesFile();
// base folder + "/GGCT.ini"
QString internalNamesFile();

// The messages of the operations on one file, and of the list generations.
inline constexpr SingleRomMessages singleFileMessages{Msg::TitleNoRomStart, Msg::TitleNoRomEnd, Msg::TitleManyRomsStart,
                                                      Msg::TitleManyRomsEnd};
inline constexpr SingleRomMessages listMessages{Msg::TitlesNoRomStart, Msg::TitlesNoRomEnd, Msg::TitlesManyRomsStart,
                                                Msg::TitlesManyRomsEnd};

// The cartridge title of a file: of a ROM, its own; of an archive holding exactly one ROM, that ROM's. An
// archive with no ROM or several gives the matching message and no title. Raises CartlingError when a ROM
// cannot be read or the extraction folder cannot be used.
std::optional<QString> titleOf(const QString &path, const SingleRomMessages &texts);

// The files a run over many files leaves out, so that one odd file does not end the run: a name that is not
// text (counted, and said once at the end) and a stem holding a line break, which no title list can hold (said
// at once, as for an archive without a ROM).
class SkippedFiles
{
public:
    // True when the run must leave the file out.
    bool skip(const QString &path);
    // How many names that are not text were left out, in one message; nothing when there were none.
    void report() const;
    int count() const { return m_undecodable + m_lineBreaks; }

private:
    int m_undecodable = 0;
    int m_lineBreaks = 0;
};

// Runs `step` on files 0 to total - 1 with progress, then writes `list` once. A file that cannot be read
// (CartlingError) ends the run, but what was gathered in `list` before it is still written. Returns false when
// `progress` cancelled.
bool runOverFiles(DataIniFile &list, int total, const Progress &progress, const std::function<void(int)> &step);

} // namespace TitleLists
