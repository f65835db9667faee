#include "mainwindow/RomListView.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>

RomListView::RomListView(QWidget *parent) : QListView(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true); // ten thousand files stay smooth
    setContextMenuPolicy(Qt::DefaultContextMenu);
}

void RomListView::mousePressEvent(QMouseEvent *event)
{
    QListView::mousePressEvent(event);
    // Empty space below the last entry selects nothing.
    if (!indexAt(event->position().toPoint()).isValid() && selectionModel())
        selectionModel()->clearSelection();
}

void RomListView::mouseReleaseEvent(QMouseEvent *event)
{
    QListView::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton)
        emit clickedAnywhere();
}

void RomListView::mouseDoubleClickEvent(QMouseEvent *event)
{
    QListView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit doubleClickedAnywhere();
}

void RomListView::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit enterPressed();
        event->accept();
        return;
    }
    QListView::keyPressEvent(event);
}

void RomListView::keyReleaseEvent(QKeyEvent *event)
{
    QListView::keyReleaseEvent(event);
    if (!event->isAutoRepeat())
        emit keyReleased();
}

void RomListView::contextMenuEvent(QContextMenuEvent *event)
{
    emit popupRequested(event->globalPos());
    event->accept();
}
