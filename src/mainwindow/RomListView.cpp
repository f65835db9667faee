#include "mainwindow/RomListView.h"

#include "mainwindow/RomListModel.h"
#include "platform/FileAttributes.h"
#include "platform/Messages.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

namespace {

// Draws a row as usual, with the marks that features give it at its right end.
class MarkedRowDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const QString marks = index.data(RomListModel::MarksRole).toString();
        if (marks.isEmpty()) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        QStyleOptionViewItem row(option);
        initStyleOption(&row, index);
        const QStyle *style = row.widget ? row.widget->style() : QApplication::style();
        style->drawPrimitive(QStyle::PE_PanelItemViewItem, &row, painter, row.widget);
        const int room = row.fontMetrics.horizontalAdvance(marks) + 8;
        QStyleOptionViewItem caption(option);
        caption.rect.setRight(option.rect.right() - room);
        caption.state &= ~QStyle::State_HasFocus; // the row's focus frame is drawn whole below
        QStyledItemDelegate::paint(painter, caption, index);
        painter->save();
        const bool selected = row.state & QStyle::State_Selected;
        painter->setPen(selected ? row.palette.color(QPalette::HighlightedText) : row.palette.color(QPalette::Link));
        painter->drawText(option.rect.adjusted(0, 0, -4, 0), Qt::AlignRight | Qt::AlignVCenter, marks);
        painter->restore();
        if (row.state & QStyle::State_HasFocus) {
            QStyleOptionFocusRect focus;
            focus.QStyleOption::operator=(row);
            focus.backgroundColor = row.palette.color(selected ? QPalette::Highlight : QPalette::Base);
            style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, row.widget);
        }
    }
};

} // namespace

RomListView::RomListView(QWidget *parent) : QListView(parent)
{
    setItemDelegate(new MarkedRowDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::EditKeyPressed);
    setUniformItemSizes(true); // ten thousand files stay smooth
    setContextMenuPolicy(Qt::DefaultContextMenu);
}

bool RomListView::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event)
{
    // Clicks and keys ask here too; only a trigger the list takes (F2, or a call from code) starts an edit.
    const bool starts = trigger == AllEditTriggers || (editTriggers() & trigger);
    if (!starts || state() == EditingState)
        return QListView::edit(index, trigger, event);
    if (!index.isValid() || !selectionModel() || !selectionModel()->isSelected(index))
        return false;
    if (FileAttributes::isReadOnly(index.data(RomListModel::FullPathRole).toString())) {
        showMessage(QStringLiteral("It's ReadOnly"));
        return false;
    }
    return QListView::edit(index, trigger, event);
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
        // Enter that ends the editing of a name reaches the list too; it must not start the game.
        if (state() != EditingState)
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

void RomListView::dataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight, const QList<int> &roles)
{
    if (!roles.isEmpty() && !roles.contains(Qt::DisplayRole) && !roles.contains(Qt::EditRole)) {
        viewport()->update();
        return;
    }
    QListView::dataChanged(topLeft, bottomRight, roles);
}
