#pragma once

#include <QListView>

// The list widget of the ROM list: reports the user's clicks and keys after the list has handled them,
// so the main window sees the selection they produced.
class RomListView : public QListView
{
    Q_OBJECT
public:
    explicit RomListView(QWidget *parent = nullptr);

signals:
    void clickedAnywhere();          // a click released anywhere in the list, empty space included
    void keyReleased();              // any key released while the list has the focus
    void enterPressed();             // Enter or Return
    void doubleClickedAnywhere();    // a double click
    void popupRequested(QPoint pos); // the pop-up menu is about to open at this global position

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
};
