#pragma once

#include "services/Outcome.h"

#include <QColor>
#include <QFont>
#include <QHash>
#include <QString>
#include <QWidget>

#include <optional>

class DataGridDelegate;
class DataGridView;
class QTableWidget;
class QTableWidgetItem;

// The data grid of the log screens and the measurement chart.
//
// Cells are addressed in grid coordinates: row 0 is the fixed heading row and
// column 0 the fixed narrow column (when the grid has them), data cells start
// at (fixedRows(), fixedColumns()). Fixed cells hold text like any other cell
// but never scroll, never sort and are never edited: the heading row is drawn
// as the table's horizontal header and the fixed column as its vertical
// header.
//
// Texts are stored exactly as written; column formats change only what is
// drawn. A carriage return in a text starts a new line on the screen.
class DataGrid : public QWidget
{
    Q_OBJECT
public:
    enum class EditMode { NotEditable = 0, KeyboardAndMouse = 2 };
    enum class SortOrder { Ascending = 1, Descending = 2 };
    enum class ColumnType { Text, Date };
    Q_ENUM(SortOrder)

    // Rows row1..row2 and columns col1..col2, both ends included, in either
    // order.
    struct CellRange {
        int row1;
        int col1;
        int row2;
        int col2;
    };

    // fixedRows and fixedColumns are 0 or 1 and cannot change later.
    explicit DataGrid(QWidget* parent = nullptr);
    DataGrid(int fixedRows, int fixedColumns, QWidget* parent = nullptr);
    ~DataGrid() override;

    int fixedRows() const { return m_fixedRows; }
    int fixedColumns() const { return m_fixedColumns; }

    // Growing adds empty rows (columns) at the end, shrinking drops them from
    // the end; every other cell keeps its text and look. The counts include
    // the fixed row and column and never go below them.
    int rowCount() const;
    void setRowCount(int rows);
    int columnCount() const;
    void setColumnCount(int columns);

    // The cell under the cursor. Setting a data cell selects it; a fixed cell
    // can be made current by the program (to read or write its text) but not
    // by the user.
    int currentRow() const { return m_row; }
    int currentColumn() const { return m_column; }
    void setCurrentRow(int row);
    void setCurrentColumn(int column);
    void setCurrentCell(int row, int column);

    QString text() const { return text(m_row, m_column); }
    void setText(const QString& text) { setText(m_row, m_column, text); }
    // A cell outside the grid reads as empty and ignores writes.
    QString text(int row, int column) const;
    void setText(int row, int column, const QString& text);
    // What the cell shows: the text under its column's display format.
    QString displayText(int row, int column) const;

    // --- columns -------------------------------------------------------
    void setColumnWidthTwips(int column, int twips);
    int columnWidthTwips(int column) const;
    void setRowHeightTwips(int row, int twips);
    int rowHeightTwips(int row) const;
    void setColumnAlignment(int column, Qt::Alignment alignment);
    // "###.#" or "###" (see DisplayFormat); empty for none.
    void setColumnFormat(int column, const QString& format);
    QString columnFormat(int column) const;
    // A date column sorts its texts as dates: empty cells first, then the
    // dates in time order, then texts that are not dates.
    void setColumnType(int column, ColumnType type);
    ColumnType columnType(int column) const
    {
        return m_columnTypes.value(column, ColumnType::Text);
    }
    // The most characters the in-cell editor accepts in this column.
    void setColumnEditLimit(int column, int characters);

    // Not editable until set otherwise.
    void setEditMode(EditMode mode) { m_editMode = mode; }
    EditMode editMode() const { return m_editMode; }

    // --- cell look: each stays with the cell until set again ------------
    void setCellBold(int row, int column, bool bold)
    {
        setBold({ row, column, row, column }, bold);
    }
    bool isBold(int row, int column) const;
    // An invalid colour returns the cells to the grid's normal look.
    void setBackground(const CellRange& range, const QColor& colour);
    QColor background(int row, int column) const;
    void setForeground(const CellRange& range, const QColor& colour);
    QColor foreground(int row, int column) const;
    void setFontSize(const CellRange& range, qreal points);
    qreal fontSize(int row, int column) const;
    void setBold(const CellRange& range, bool bold);
    void setUnderline(const CellRange& range, bool underline);
    bool isUnderline(int row, int column) const;

    // --- whole grid ----------------------------------------------------
    // A click on a column heading sorts by that column (ascending first,
    // then alternating), raising beforeSort and afterSort.
    void setHeaderSorting(bool enabled);
    bool headerSorting() const { return m_headerSorting; }
    // Sorts the data rows by a column; stable, raises no events.
    void sort(int column, SortOrder order);
    // Later rows move up. Fixed rows cannot be removed.
    void removeRow(int row);
    // Empties every cell, fixed ones included, and returns every cell to the
    // normal look. Sizes, columns settings and the background stay.
    void clear();

    // Writes every cell's text and bold marker, and the grid's size, to a
    // file of our own format; the old file is replaced only once the new one
    // is complete. Loading restores exactly what was saved, or leaves the
    // grid untouched when the file is missing or not a grid file.
    Outcome saveToFile(const QString& filePath);
    Outcome loadFromFile(const QString& filePath);

    // An invalid colour gives the default background.
    void setBackgroundColour(const QColor& colour);
    QColor backgroundColour() const;
    // Drawn tiled behind the cells; an empty path removes the picture.
    // False (and no picture) when the file cannot be read.
    bool setBackgroundPicture(const QString& filePath);
    bool hasBackgroundPicture() const;

    // Called from a beforeEdit handler: the editor does not open.
    void cancelEdit() { m_editCancelled = true; }

    // The table itself, for placing the focus and for tests.
    QTableWidget* view() const;

signals:
    void clicked();
    void rightButtonReleased(const QPoint& globalPosition);
    void beforeSort(int column, DataGrid::SortOrder order);
    void afterSort(int column, DataGrid::SortOrder order);
    // Raised whenever the user asks to edit a data cell (click, key, F2),
    // whatever the edit mode; the editor opens afterwards only in
    // KeyboardAndMouse mode and when the handler did not cancel.
    void beforeEdit(int row, int column);
    // After the editor has closed, whether it changed the text or not; the
    // cell already holds the new text.
    void editorClosed(int row, int column);
    void afterEdit(int row, int column);
    void editorTextChanged();
    // A cell's text changed, by the user or the program. Bulk operations
    // (sort, clear, load) raise no such events.
    void cellChanged(int row, int column);

private:
    // One part of a cell's font set to a value (0 or 1 for bold and
    // underline, the points for the size).
    struct FontChange {
        enum Part { Bold, Underline, Size } part;
        qreal value;
        bool holds(const QFont& font) const;
        bool operator==(const FontChange&) const = default;
    };
    struct ViewRange {
        int top;
        int left;
        int bottom;
        int right;
    };
    struct MadeFont {
        FontChange change;
        QFont from;
        QFont to;
    };

    bool isInside(int row, int column) const;
    bool isFixedCell(int row, int column) const;
    QTableWidgetItem* itemAt(int row, int column) const;
    // Sets one value of a cell, making its item when it has none.
    void writeCell(int row, int column, int role, const QVariant& value);
    void writeDataCell(
        QTableWidgetItem* item, int viewRow, int viewColumn, int role, const QVariant& value);
    void announceChanges();
    QFont effectiveFont(int row, int column) const;
    template <typename Apply> void forEachCell(const CellRange& range, Apply apply);
    template <typename Change>
    void changeFont(const CellRange& range, const FontChange& change, Change apply);
    void ensureHeaderItems();
    void setHeaderItems(bool replaceExisting);
    void onHeaderClicked(int viewColumn);
    bool mayEdit(int viewRow, int viewColumn);

    DataGridView* m_view;
    DataGridDelegate* m_delegate;
    QTableWidgetItem* m_corner;
    int m_fixedRows;
    int m_fixedColumns;
    int m_row;
    int m_column;
    EditMode m_editMode = EditMode::NotEditable;
    bool m_editCancelled = false;
    bool m_headerSorting = false;
    int m_lastSortColumn = -1;
    SortOrder m_lastSortOrder = SortOrder::Ascending;
    QHash<int, ColumnType> m_columnTypes;
    QColor m_defaultBase;
    std::optional<MadeFont> m_lastFontChange;
    // Data cells written since the views last heard of a change.
    std::optional<ViewRange> m_unannounced;
};
