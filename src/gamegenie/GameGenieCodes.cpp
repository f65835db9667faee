#include "gamegenie/GameGenieCodes.h"

#include "emulator/ConfigTemplate.h"

GameGenieCodes::GameGenieCodes(ConfigTemplate &configTemplate, std::function<bool()> gameGenieSwitch,
                               GameGenieCodeStore store)
    : m_template(configTemplate), m_switch(std::move(gameGenieSwitch)), m_store(std::move(store))
{
}

void GameGenieCodes::setActive(int n, bool active)
{
    CodeRow &row = m_rows[n - 1];
    if (row.active == active)
        return;
    row.active = active;
    m_store.saveFlag(m_internalName, n, active, row.code);
    applySwitch();
}

void GameGenieCodes::setRows(const CodeSet &rows)
{
    // The flag first: its toggle stores it while the row still holds the code it had.
    for (int n = 1; n <= RowCount; ++n) {
        setActive(n, rows[n - 1].active);
        setCode(n, rows[n - 1].code);
        setDescription(n, rows[n - 1].description);
    }
}

void GameGenieCodes::uncheckShortCodes()
{
    for (int n = 1; n <= RowCount; ++n) {
        if (m_rows[n - 1].code.size() < ShortestCodeKept)
            setActive(n, false);
    }
}

void GameGenieCodes::applyCheats()
{
    for (int n = 1; n <= RowCount; ++n) {
        const CodeRow &row = m_rows[n - 1];
        m_template.replace(FirstCheatSlot + n - 1, row.active ? QStringLiteral("-cheat ") + row.code : QString());
    }
}

void GameGenieCodes::removeCheats()
{
    for (int n = 1; n <= RowCount; ++n)
        m_template.replace(FirstCheatSlot + n - 1, QString());
}

void GameGenieCodes::applySwitch()
{
    if (m_switch && m_switch())
        applyCheats();
    else
        removeCheats();
}

void GameGenieCodes::saveAll()
{
    uncheckShortCodes();
    m_store.saveAll(m_internalName, m_rows);
}

void GameGenieCodes::clearAll()
{
    for (int n = 1; n <= RowCount; ++n) {
        setActive(n, false);
        setCode(n, QString());
        setDescription(n, QString());
    }
}

void GameGenieCodes::loadCodes()
{
    if (!m_internalName.isEmpty())
        setRows(m_store.load(m_internalName));
}
