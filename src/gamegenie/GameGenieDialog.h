#pragma once

#include "platform/FormWindow.h"

#include <array>

class ConfigTemplate;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The Game Genie codes dialog: ten code rows of the selected game, and the actions that turn the active
// codes into "-cheat " lines of the configuration template.
class GameGenieDialog : public FormWindow
{
    Q_OBJECT
public:
    static constexpr int RowCount = 10;
    static constexpr int FirstCheatSlot = 35;

    GameGenieDialog(ConfigTemplate &configTemplate, QWidget *parent = nullptr);

    // Row check ("Revisar datos"): unticks every row whose code has fewer than 7 characters.
    void uncheckShortCodes();
    // "Usar": slot 34 + n holds "-cheat " and row n's code when the row is ticked, else an empty line.
    void applyCheats();
    // "No Usar": the ten cheat slots become empty lines.
    void removeCheats();

    QCheckBox *box(int row) const { return m_rows[row - 1].box; }
    QLineEdit *code(int row) const { return m_rows[row - 1].code; }
    QLineEdit *description(int row) const { return m_rows[row - 1].description; }

private:
    struct Row
    {
        QCheckBox *box = nullptr;
        QLineEdit *code = nullptr;
        QLineEdit *description = nullptr;
    };

    ConfigTemplate &m_template;
    std::array<Row, RowCount> m_rows;
    QGroupBox *m_group = nullptr;
    QLabel *m_internalName = nullptr;
    QLineEdit *m_title = nullptr;
    QPlainTextEdit *m_hint = nullptr;
};
