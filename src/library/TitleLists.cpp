#include "library/TitleLists.h"

#include "library/RomTitle.h"
#include "platform/PathHelpers.h"
#include "settings/BaseFolder.h"

namespace TitleLists {

QString titlesFile()
{
    return BaseFolder::file(QStringLiteral("Titulos.ini"));
}

QString internalNamesFile()
{
    return BaseFolder::file(QStringLiteral("GGCT.ini"));
}

std::optional<QString> titleOf(const QString &path, const SingleRomMessages &texts)
{
    if (!isArchive(path))
        return romtitle(path);
    std::optional<QString> title;
    RomUnpacker::withSingleRom(path, texts, [&title](const QString &rom) { title = romtitle(rom); });
    return title;
}

} // namespace TitleLists
