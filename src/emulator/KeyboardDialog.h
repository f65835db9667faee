#pragma once

#include "emulator/KeyboardOptions.h"
#include "platform/FormWindow.h"

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

// The keyboard options: a key for each Game Boy button and autofire for A and B. Choices count only when
// "Aceptar" (or Escape) confirms them; "Cancelar" and the close box drop them.
class KeyboardDialog : public FormWindow
{
    Q_OBJECT
public:
    // Shows the program's options, which ran their creation steps at start-up.
    explicit KeyboardDialog(KeyboardOptions &options, QWidget *parent = nullptr);

    KeyboardOptions &options() { return m_options; }
    // The warning beside a button's chooser, shown while another button has the same key.
    QLabel *sharedKeyMark(int button) const { return m_marks[button]; }

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void build();
    void createLayout();
    void connectLayout();
    // Fills the controls from the options; no handler runs.
    void loadFromOptions();
    void showSharedKeys();
    // A button's name as its label shows it, without the padding and colon.
    QString buttonName(int button) const;

    KeyboardOptions &m_options;
    std::array<QComboBox *, KeyboardOptions::ButtonCount> m_choosers{};
    std::array<QLabel *, KeyboardOptions::ButtonCount> m_labels{};
    std::array<QLabel *, KeyboardOptions::ButtonCount> m_marks{};
    QCheckBox *m_autofireA = nullptr;
    QCheckBox *m_autofireB = nullptr;
    QPushButton *m_accept = nullptr;
    QPushButton *m_cancel = nullptr;
};
