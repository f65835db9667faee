#include "gamegenie/GameGenieCodes.h"

#include "emulator/ConfigTemplate.h"

#include <QScopeGuard>

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
    if (!m_loading)
        m_changedAt[m_internalName][n - 1] = QDateTime::currentDateTime();
    m_store.saveFlag(m_internalName, n, active, row.code);
    applySwitch();
}

void GameGenieCodes::setRows(const CodeSet &rows)
{
    m_loading = true;
    const auto loaded = qScopeGuard([this] { m_loading = false; });
    // The flag first: its toggle stores it while the row still holds the code it had.
    for (int n = 1; n <= RowCount; ++n) {
        setActive(n, rows[n - 1].active);
        setCode(n, rows[n - 1].code);
        setDescription(n, rows[n - 1].description);
    }
}

void GameGenieCodes::takeChoices(const QList<CodeChoice> &choices, const QDateTime &madeAt)
{
    const auto sameCode = [](const QString &a, const QString &b) {
        return a.simplified().compare(b.simplified(), Qt::CaseInsensitive) == 0;
    };
    const auto changedAt = m_changedAt.value(m_internalName);
    std::array<bool, RowCount> given{};
    bool changed = false;
    for (const CodeChoice &choice : choices) {
        for (int n = 1; n <= RowCount; ++n) {
            CodeRow &row = m_rows[n - 1];
            if (given[n - 1] || row.code.trimmed().isEmpty() || !sameCode(row.code, choice.code))
                continue;
            given[n - 1] = true;
            const bool later = changedAt[n - 1].isValid() && changedAt[n - 1] >= madeAt;
            const bool tooShort = choice.active && row.code.size() < ShortestCodeKept;
            if (!later && !tooShort && row.active != choice.active) {
                row.active = choice.active;
                m_store.saveChoice(m_internalName, n, row.active, row.code);
                changed = true;
            }
            break;
        }
    }
    if (changed)
        applySwitch();
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
