#include "mainwindow/FilterField.h"

#include <QKeyEvent>

FilterField::FilterField(QWidget *parent) : QLineEdit(parent)
{
    setClearButtonEnabled(true);
}

void FilterField::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    emit focused();
}

void FilterField::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        if (!text().isEmpty()) {
            clear();
            return;
        }
        break;
    case Qt::Key_Down:
        emit downPressed();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit enterPressed();
        return;
    default:
        break;
    }
    QLineEdit::keyPressEvent(event);
}
