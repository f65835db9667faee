#include "library/TitleExtraction.h"

#include "language/MessageTable.h"
#include "library/TitleLists.h"
#include "platform/PathHelpers.h"
#include "settings/DataIniFile.h"

namespace TitleExtraction {

namespace {

// Takes the file's title into the list under its stem; single-file requests always replace.
void storeTitle(DataIniFile &list, const QString &path)
{
    if (const auto title = TitleLists::titleOf(path, TitleLists::singleFileMessages))
        list.writeString(stemOf(path), TitleLists::TitleKey, *title);
}

} // namespace

Shown storeTitleOf(const QString &path, const QString &currentStem)
{
    DataIniFile titles(TitleLists::titlesFile());
    const Shown shown = storeTitleOf(titles, path, currentStem);
    titles.updateFile();
    return shown;
}

Shown storeTitleOf(DataIniFile &titles, const QString &path, const QString &currentStem)
{
    storeTitle(titles, path);
    const QString title = titles.readString(currentStem, TitleLists::TitleKey, QString());
    return {title.isEmpty() ? messageTable().text(Msg::TitleNotFound) : title, title.isEmpty() ? currentStem : title,
            stemOf(path)};
}

QString exportInternalName(const QString &path, const QString &currentStem)
{
    DataIniFile names(TitleLists::internalNamesFile());
    storeTitle(names, path);
    const QString name = names.readString(currentStem, TitleLists::TitleKey, QString());
    names.updateFile();
    return name;
}

} // namespace TitleExtraction
