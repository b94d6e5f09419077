#include "screens/DataGridView.h"

#include <QMouseEvent>
#include <QPainter>

DataGridView::DataGridView(QWidget* parent)
    : QTableWidget(parent)
{
    // Mouse clicks start editing from mouseReleaseEvent, after the click has
    // been reported, so that the click handler can still change the
    // editable mode of the grid.
    setEditTriggers(AnyKeyPressed | EditKeyPressed);
    setSelectionMode(SingleSelection);
    setSelectionBehavior(SelectItems);
}

void DataGridView::setBackgroundPicture(const QPixmap& picture)
{
    m_picture = picture;
    viewport()->update();
}

bool DataGridView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    const bool requested = trigger == AllEditTriggers || (editTriggers() & trigger);
    if (!index.isValid() || !requested || state() == EditingState)
        return QTableWidget::edit(index, trigger, event);
    if (mayEdit && !mayEdit(index))
        return false;
    const bool opened = QTableWidget::edit(index, trigger, event);
    if (opened)
        m_editing = index;
    return opened;
}

void DataGridView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    const QPersistentModelIndex edited = m_editing;
    m_editing = QPersistentModelIndex();
    // Moving on to the next cell is done here, after the end of the edit has
    // been reported; the base class would open the next editor first.
    const bool next = hint == QAbstractItemDelegate::EditNextItem;
    const bool previous = hint == QAbstractItemDelegate::EditPreviousItem;
    QTableWidget::closeEditor(editor, (next || previous) ? QAbstractItemDelegate::NoHint : hint);
    if (edited.isValid() && editorClosed)
        editorClosed(edited);
    if (next || previous) {
        const QModelIndex moved = moveCursor(next ? MoveNext : MovePrevious, Qt::NoModifier);
        if (moved.isValid())
            setCurrentIndex(moved);
    }
}

void DataGridView::mouseReleaseEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    QTableWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::RightButton) {
        emit rightButtonReleased(event->globalPosition().toPoint());
        return;
    }
    if (event->button() != Qt::LeftButton || !index.isValid())
        return;
    emit leftClicked();
    if (state() != EditingState && index == currentIndex())
        edit(index, AllEditTriggers, nullptr);
}

void DataGridView::keyboardSearch(const QString&)
{
    // Typing into a read-only grid must not jump to another cell.
}

void DataGridView::paintEvent(QPaintEvent* event)
{
    if (!m_picture.isNull()) {
        QPainter painter(viewport());
        painter.drawTiledPixmap(viewport()->rect(), m_picture);
    }
    QTableWidget::paintEvent(event);
}
