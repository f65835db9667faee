#include "library/TitleChange.h"

#include "library/GameDetails.h"
#include "library/TitleLists.h"
#include "platform/PathHelpers.h"
#include "settings/DataIniFile.h"

void TitleChange::load(const QString &romPath)
{
    m_stem = stemOf(romPath);
    m_title = DataIniFile(TitleLists::titlesFile()).readString(m_stem, TitleLists::TitleKey, m_stem);
}

void TitleChange::store() const
{
    GameDetails::storeTitle(m_stem, m_title);
}
