#pragma once

#include <QLineEdit>

// The field above the ROM list that narrows it as the user types. Escape empties it, the Down key moves into
// the list, Enter launches.
class FilterField : public QLineEdit
{
    Q_OBJECT
public:
    explicit FilterField(QWidget *parent = nullptr);

signals:
    void focused();
    void downPressed();
    void enterPressed();

protected:
    void focusInEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
};
