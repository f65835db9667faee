#pragma once

#include "gamegenie/GameGenieCodes.h"
#include "platform/FormWindow.h"

#include <array>
#include <optional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class Session;

// The Game Genie codes dialog: the selected game's title and ten code rows, beside the main window, on top
// and not modal. Its state lives in the session's GameGenieCodes; the controls show it and pass the user's
// changes on, and follow it when the selection or an action changes it.
class GameGenieDialog : public FormWindow
{
    Q_OBJECT
public:
    static constexpr int RowCount = GameGenieCodes::RowCount;
    static constexpr int FirstCheatSlot = GameGenieCodes::FirstCheatSlot;

    explicit GameGenieDialog(Session &session);

    GameGenieCodes &codes() { return m_codes; }

    // ---- Filled by the selection loader ----
    // The internal name in "a5"; the code group shown and enabled exactly when it is not empty.
    void showInternalName(const QString &name);
    // The title field.
    void showTitle(const QString &title);
    // The ten rows, each flag set as a click would (stored, cheat lines renewed) before its code.
    void showRows(const CodeSet &rows);

    // ---- The actions ----
    // Row check ("Revisar datos"): unticks every row whose code has fewer than 7 characters.
    void uncheckShortCodes();
    // "Usar": slot 34 + n holds "-cheat " and row n's code when the row is ticked, else an empty line.
    void applyCheats();
    // "No Usar": the ten cheat slots become empty lines.
    void removeCheats();
    // "Guardar Todo", "Limpiar Todo", "Cargar Códigos".
    void saveAll();
    void clearAll();
    void loadCodes();
    // "Cambiar": the title field stored as the selected game's title and shown in the main window.
    void changeTitle();

    // "Editar Codigos": the dialog put beside the main window (which moves left when it stands too far right),
    // at its top, and shown. Closing moves both back.
    void openBesideMainWindow();

    QCheckBox *box(int row) const { return m_rows[row - 1].box; }
    QLineEdit *code(int row) const { return m_rows[row - 1].code; }
    QLineEdit *description(int row) const { return m_rows[row - 1].description; }
    // The mark beside a code field that tells whether the code looks well formed.
    QLabel *codeCheck(int row) const { return m_rows[row - 1].check; }

public slots:
    // "Aceptar", Escape and the close box: the windows back where they were, the dialog hidden.
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    struct Row
    {
        QCheckBox *box = nullptr;
        QLineEdit *code = nullptr;
        QLabel *check = nullptr;
        QLineEdit *description = nullptr;
    };
    // Left edges of the main window and the dialog before the dialog was opened beside it.
    struct Edges
    {
        int mainWindow;
        int dialog;
    };

    void createHint();
    void createCodeGroup();
    void createRows();
    void connectControls();
    // Runs an action of the rules and shows the state it left, also when it ended with an error.
    template <typename F> void act(F action);
    // Every control set from the rules, with no handler run.
    void loadFromRules();
    void showCodeCheck(int n);
    // The line under the dialog for the emulator stored now.
    void showEmulatorUse();

    Session &m_session;
    GameGenieCodes &m_codes;
    std::array<Row, RowCount> m_rows;
    QWidget *m_panel = nullptr;
    QGroupBox *m_group = nullptr;
    QLabel *m_internalName = nullptr;
    QLineEdit *m_title = nullptr;
    QPlainTextEdit *m_hint = nullptr;
    QLabel *m_emulatorUse = nullptr;
    std::optional<Edges> m_edgesBeforeOpening;
};
