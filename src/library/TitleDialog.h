#pragma once

#include "library/TitleChange.h"
#include "platform/FormWindow.h"

class QLabel;
class QLineEdit;

// "Cambiar Título": the title shown for one game, typed by the user. The game's stem stands above the field.
class TitleDialog : public FormWindow
{
    Q_OBJECT
public:
    explicit TitleDialog(QWidget *parent = nullptr);

    TitleChange &rules() { return m_rules; }

    // Shows the dialog modally for the file at `romPath`. True when "Cambiar Título" stored a title (the caller
    // then loads the selected game's details again); "Cancelar", Escape and the close box change nothing.
    bool editTitle(const QString &romPath);

private:
    static constexpr int MaxStemWidth = 480;

    void loadFromRules();

    TitleChange m_rules;
    QLabel *m_stem = nullptr;
    QLineEdit *m_title = nullptr;
};
