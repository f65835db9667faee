#pragma once

#include <QListView>

// The list widget of the ROM list: reports the user's clicks and keys after the list has handled them,
// so the main window sees the selection they produced. F2 edits the selected entry's name in place.
class RomListView : public QListView
{
    Q_OBJECT
public:
    explicit RomListView(QWidget *parent = nullptr);

    // Opens the entry's name for editing, as F2 does; false when the list refuses (see edit()).
    bool editName(const QModelIndex &index) { return edit(index, AllEditTriggers, nullptr); }

signals:
    void clickedAnywhere();          // a click released anywhere in the list, empty space included
    void keyReleased();              // any key released while the list has the focus
    void enterPressed();             // Enter or Return
    void doubleClickedAnywhere();    // a double click
    void popupRequested(QPoint pos); // the pop-up menu is about to open at this global position

protected:
    // Renaming in place starts only on the selected entry, and never on a read-only file ("It's ReadOnly").
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    // A change of marks or tooltips only repaints: Qt would put the stored name back into an open name editor
    // and lose what the user is typing there.
    void dataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                     const QList<int> &roles = QList<int>()) override;
};
