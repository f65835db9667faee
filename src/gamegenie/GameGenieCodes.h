#pragma once

#include "gamegenie/GameGenieCodeStore.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <functional>

class ConfigTemplate;

// The codes dialog without its widgets: the selected game's internal name and title, its ten code rows, and
// the actions on them. Changing a row's flag acts as a click on its box does: the flag is stored and the
// cheat lines of the configuration template are applied or removed again, whoever changed it.
class GameGenieCodes
{
public:
    static constexpr int RowCount = GameGenieCodeStore::RowCount;
    // Row n's cheat line stands in template slot FirstCheatSlot + n - 1.
    static constexpr int FirstCheatSlot = 35;
    // The row check keeps the flag of codes this long or longer.
    static constexpr int ShortestCodeKept = 7;

    // `gameGenieSwitch` tells whether the main window's switch is on (codes in use).
    GameGenieCodes(ConfigTemplate &configTemplate, std::function<bool()> gameGenieSwitch,
                   GameGenieCodeStore store = GameGenieCodeStore());

    // The internal name, under which the rows are stored; empty when the game has none.
    const QString &internalName() const { return m_internalName; }
    void setInternalName(const QString &name) { m_internalName = name; }
    // Whether the code rows are shown rather than the hint; only the selection loader decides it.
    bool codesShown() const { return m_codesShown; }
    void setCodesShown(bool shown) { m_codesShown = shown; }
    const QString &title() const { return m_title; }
    void setTitle(const QString &title) { m_title = title; }

    // Rows 1 to 10.
    const CodeRow &row(int n) const { return m_rows[n - 1]; }
    const CodeSet &rows() const { return m_rows; }
    // The row toggle when the flag changes: stored (codes of 8 characters or more only), then the cheat lines
    // applied or removed as the switch says. Setting the flag it already has does nothing.
    void setActive(int n, bool active);
    void setCode(int n, const QString &code) { m_rows[n - 1].code = code; }
    void setDescription(int n, const QString &description) { m_rows[n - 1].description = description; }
    // Row by row, in order: the flag (a toggle when it changes), then the code and the description. Loading
    // rows is no choice of the user's: it leaves the times of the rows' last changes as they are.
    void setRows(const CodeSet &rows);

    // Codes switched on or off in the emulator's own cheats window, saved at `madeAt`: each goes to the first
    // row not yet given one whose code is the same (blanks and letter case aside), unless that row's flag was
    // changed here after `madeAt`, so the user's last choice wins. A code too short for the row check is not
    // switched on. A changed flag is stored when the stored row holds the same code, and the cheat lines are
    // applied or removed again.
    void takeChoices(const QList<CodeChoice> &choices, const QDateTime &madeAt);

    // The row check: unticks every row whose code is shorter than 7 characters.
    void uncheckShortCodes();
    // Slot 34 + n becomes "-cheat " and row n's code when row n is active, else an empty line.
    void applyCheats();
    // The ten cheat slots become empty lines.
    void removeCheats();
    // applyCheats or removeCheats, as the switch says.
    void applySwitch();

    // "Guardar Todo": the row check, then every row stored under the internal name (nothing without one).
    void saveAll();
    // "Limpiar Todo": row by row, the flag off (a toggle while the code is still there), code and description
    // emptied. The file keeps the codes until the rows are saved.
    void clearAll();
    // "Cargar Códigos": the stored rows in place of the shown ones; nothing without an internal name.
    void loadCodes();

private:
    ConfigTemplate &m_template;
    std::function<bool()> m_switch;
    GameGenieCodeStore m_store;
    QString m_internalName;
    QString m_title;
    bool m_codesShown = false;
    CodeSet m_rows;
    // When each row's flag was last changed here, by internal name; rows never changed have no time.
    QHash<QString, std::array<QDateTime, RowCount>> m_changedAt;
    bool m_loading = false;
};
