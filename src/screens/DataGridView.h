#pragma once

#include <QPixmap>
#include <QTableWidget>

#include <functional>

// The table inside a DataGrid. It decides when the in-cell editor may open
// and reports the mouse and editor events in the order the grid's users rely
// on: click, then the request to edit, then (on closing) the end of the edit.
class DataGridView : public QTableWidget
{
    Q_OBJECT
public:
    explicit DataGridView(QWidget* parent = nullptr);

    // Asked before any editor opens; returns whether it may.
    std::function<bool(const QModelIndex&)> mayEdit;
    // Told after an editor has closed, committed or not.
    std::function<void(const QModelIndex&)> editorClosed;

    bool isEditing() const { return state() == EditingState; }

    void setBackgroundPicture(const QPixmap& picture);
    const QPixmap& backgroundPicture() const { return m_picture; }

    // The viewport rectangle of a view cell (for tests and placement).
    QRect cellRect(int row, int column) const { return visualRect(model()->index(row, column)); }

signals:
    void leftClicked();
    void rightButtonReleased(const QPoint& globalPosition);

protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyboardSearch(const QString& search) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_picture;
    QPersistentModelIndex m_editing;
};
