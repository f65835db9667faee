#include "library/GameDetails.h"

#include "platform/PathHelpers.h"
#include "settings/BaseFolder.h"
#include "settings/DataIniFile.h"

namespace {

const QString kTitleKey = QStringLiteral("Titulo");

QString titlesFile()
{
    return BaseFolder::file(QStringLiteral("Titulos.ini"));
}

} // namespace

std::optional<GameDetails> GameDetails::read(const std::optional<QString> &romPath)
{
    // All three are loaded even without a selection: a file with doubled sections is written back cleaned.
    const DataIniFile codes(GameGenieCodeStore::defaultFileName());
    const DataIniFile titles(titlesFile());
    const DataIniFile internalNames(BaseFolder::file(QStringLiteral("GGCT.ini")));
    if (!romPath)
        return std::nullopt;
    GameDetails details;
    details.stem = stemOf(*romPath);
    details.internalName = internalNames.readString(details.stem, kTitleKey, QString());
    details.title = titles.readString(details.stem, kTitleKey, QString());
    details.codes = GameGenieCodeStore::read(codes, details.internalName);
    return details;
}

std::optional<QString> GameDetails::storeTitle(const QString &stem, const QString &title)
{
    if (stem.isEmpty())
        return std::nullopt;
    {
        DataIniFile titles(titlesFile());
        titles.writeString(stem, kTitleKey, title);
        titles.updateFile();
    }
    return DataIniFile(titlesFile()).readString(stem, kTitleKey, QString());
}
