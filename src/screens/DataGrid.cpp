#include "screens/DataGrid.h"

#include "screens/DataGridDelegate.h"
#include "screens/DataGridFile.h"
#include "screens/DataGridItem.h"
#include "screens/DataGridSortKey.h"
#include "screens/DataGridView.h"
#include "screens/Twips.h"

#include <QApplication>
#include <QHeaderView>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>
#include <numeric>
#include <optional>
#include <utility>

namespace {

constexpr int defaultFixedColumnWidth = 16;

} // namespace

DataGrid::DataGrid(QWidget* parent)
    : DataGrid(1, 1, parent)
{ }

DataGrid::DataGrid(int fixedRows, int fixedColumns, QWidget* parent)
    : QWidget(parent)
    , m_view(new DataGridView(this))
    , m_delegate(new DataGridDelegate(this))
    , m_corner(new DataGridItem)
    , m_fixedRows(std::clamp(fixedRows, 0, 1))
    , m_fixedColumns(std::clamp(fixedColumns, 0, 1))
    , m_row(m_fixedRows)
    , m_column(m_fixedColumns)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    setFocusProxy(m_view);
    // The grid is one stop of the screen's Tab order, like any control.
    setFocusPolicy(Qt::StrongFocus);

    m_view->setItemPrototype(new DataGridItem);
    m_view->setItemDelegate(m_delegate);
    m_view->setCornerButtonEnabled(false);
    // Tab moves on to the screen's next control, and the arrows from cell
    // to cell; a grid of many rows must not hold the keyboard user.
    m_view->setTabKeyNavigation(false);
    m_view->setWordWrap(true);
    m_defaultBase = m_view->viewport()->palette().color(QPalette::Base);
    // The grid lines are drawn from the palette's window and mid tones,
    // which a coloured panel around the grid would otherwise tint (and only
    // from the next time the grid's background is set): they keep the
    // program's own.
    QPalette lines = m_view->palette();
    for (QPalette::ColorRole role : { QPalette::Window, QPalette::Mid })
        lines.setColor(role, QApplication::palette().color(role));
    m_view->setPalette(lines);

    QHeaderView* columns = m_view->horizontalHeader();
    columns->setVisible(m_fixedRows == 1);
    columns->setSectionsClickable(false);
    columns->setHighlightSections(false);
    columns->setMinimumSectionSize(1);
    QHeaderView* rows = m_view->verticalHeader();
    rows->setVisible(m_fixedColumns == 1);
    rows->setSectionsClickable(false);
    rows->setHighlightSections(false);
    rows->setMinimumSectionSize(1);
    rows->setFixedWidth(defaultFixedColumnWidth);

    connect(columns, &QHeaderView::sectionClicked, this, &DataGrid::onHeaderClicked);
    connect(m_view, &QTableWidget::currentCellChanged, this, [this](int row, int column) {
        if (row >= 0 && column >= 0) {
            m_row = row + m_fixedRows;
            m_column = column + m_fixedColumns;
        }
    });
    connect(m_view, &DataGridView::leftClicked, this, &DataGrid::clicked);
    connect(m_view, &DataGridView::rightButtonReleased, this, &DataGrid::rightButtonReleased);
    m_view->mayEdit
        = [this](const QModelIndex& index) { return mayEdit(index.row(), index.column()); };
    m_view->editorClosed = [this](const QModelIndex& index) {
        const int row = index.row() + m_fixedRows;
        const int column = index.column() + m_fixedColumns;
        emit editorClosed(row, column);
        emit afterEdit(row, column);
    };
    m_delegate->onEditorTextChanged = [this] { emit editorTextChanged(); };
    m_delegate->onTextCommitted = [this](const QModelIndex& index) {
        emit cellChanged(index.row() + m_fixedRows, index.column() + m_fixedColumns);
    };
}

DataGrid::~DataGrid()
{
    // The view lives on until the base class deletes the children, and a
    // window that gives up the focus on the way out makes it close an open
    // editor: nothing it reports may reach this half-destroyed grid.
    m_view->mayEdit = nullptr;
    m_view->editorClosed = nullptr;
    m_delegate->onEditorTextChanged = nullptr;
    m_delegate->onTextCommitted = nullptr;
    disconnect(m_view, nullptr, this, nullptr);
    disconnect(m_view->horizontalHeader(), nullptr, this, nullptr);
    delete m_corner;
}

QTableWidget* DataGrid::view() const
{
    return m_view;
}

// --- size and addressing ------------------------------------------------

int DataGrid::rowCount() const
{
    return m_view->rowCount() + m_fixedRows;
}

void DataGrid::setRowCount(int rows)
{
    m_view->setRowCount(std::max(rows, m_fixedRows) - m_fixedRows);
    ensureHeaderItems();
    m_row = std::min(m_row, std::max(rowCount() - 1, 0));
}

int DataGrid::columnCount() const
{
    return m_view->columnCount() + m_fixedColumns;
}

void DataGrid::setColumnCount(int columns)
{
    m_view->setColumnCount(std::max(columns, m_fixedColumns) - m_fixedColumns);
    ensureHeaderItems();
    m_column = std::min(m_column, std::max(columnCount() - 1, 0));
}

void DataGrid::ensureHeaderItems()
{
    setHeaderItems(false);
}

void DataGrid::setHeaderItems(bool replaceExisting)
{
    // Without an item the table's headers would show row and column numbers.
    // A log has thousands of rows, and each new header item would have the
    // header react on its own; the model stays quiet while they go in and the
    // headers hear of them once.
    QAbstractItemModel* model = m_view->model();
    std::optional<std::pair<int, int>> rows;
    std::optional<std::pair<int, int>> columns;
    {
        const QSignalBlocker quiet(model);
        for (int row = 0; row < m_view->rowCount(); ++row) {
            if (replaceExisting || !m_view->verticalHeaderItem(row)) {
                m_view->setVerticalHeaderItem(row, new DataGridItem);
                rows = { rows ? rows->first : row, row };
            }
        }
        for (int column = 0; column < m_view->columnCount(); ++column) {
            if (replaceExisting || !m_view->horizontalHeaderItem(column)) {
                m_view->setHorizontalHeaderItem(column, new DataGridItem);
                columns = { columns ? columns->first : column, column };
            }
        }
    }
    if (rows)
        emit model->headerDataChanged(Qt::Vertical, rows->first, rows->second);
    if (columns)
        emit model->headerDataChanged(Qt::Horizontal, columns->first, columns->second);
}

void DataGrid::setCurrentRow(int row)
{
    setCurrentCell(row, m_column);
}

void DataGrid::setCurrentColumn(int column)
{
    setCurrentCell(m_row, column);
}

void DataGrid::setCurrentCell(int row, int column)
{
    if (!isInside(row, column))
        return;
    m_row = row;
    m_column = column;
    if (!isFixedCell(row, column))
        m_view->setCurrentCell(row - m_fixedRows, column - m_fixedColumns);
}

bool DataGrid::isInside(int row, int column) const
{
    return row >= 0 && column >= 0 && row < rowCount() && column < columnCount();
}

bool DataGrid::isFixedCell(int row, int column) const
{
    return row < m_fixedRows || column < m_fixedColumns;
}

QTableWidgetItem* DataGrid::itemAt(int row, int column) const
{
    const int viewRow = row - m_fixedRows;
    const int viewColumn = column - m_fixedColumns;
    // The table answers nothing for a data cell outside it; only the fixed
    // cells need the bounds checked here. Logs read every cell several
    // times, so this path is kept short.
    if (viewRow >= 0 && viewColumn >= 0)
        return m_view->item(viewRow, viewColumn);
    if (!isInside(row, column))
        return nullptr;
    if (viewRow < 0 && viewColumn < 0)
        return m_corner;
    if (viewRow < 0)
        return m_view->horizontalHeaderItem(viewColumn);
    if (viewColumn < 0)
        return m_view->verticalHeaderItem(viewRow);
    return m_view->item(viewRow, viewColumn);
}

void DataGrid::writeCell(int row, int column, int role, const QVariant& value)
{
    QTableWidgetItem* item = itemAt(row, column);
    if (isFixedCell(row, column)) {
        // Fixed cells always have their item (ensureHeaderItems).
        if (item)
            item->setData(role, value);
        return;
    }
    const int viewRow = row - m_fixedRows;
    const int viewColumn = column - m_fixedColumns;
    if (!item && !isInside(row, column))
        return;
    // While an editor is open the views hear at once, so that a change to
    // the cell being edited shows in the editor.
    if (m_view->isEditing()) {
        writeDataCell(item, viewRow, viewColumn, role, value);
        return;
    }
    // A log fill writes tens of thousands of cells, and each notice would
    // reach the table and both headers; the views hear once, from the event
    // loop, of everything written since.
    {
        const QSignalBlocker quiet(m_view->model());
        writeDataCell(item, viewRow, viewColumn, role, value);
    }
    if (m_unannounced) {
        m_unannounced->top = std::min(m_unannounced->top, viewRow);
        m_unannounced->bottom = std::max(m_unannounced->bottom, viewRow);
        m_unannounced->left = std::min(m_unannounced->left, viewColumn);
        m_unannounced->right = std::max(m_unannounced->right, viewColumn);
        return;
    }
    m_unannounced = ViewRange { viewRow, viewColumn, viewRow, viewColumn };
    QMetaObject::invokeMethod(this, &DataGrid::announceChanges, Qt::QueuedConnection);
}

void DataGrid::writeDataCell(
    QTableWidgetItem* item, int viewRow, int viewColumn, int role, const QVariant& value)
{
    if (item) {
        item->setData(role, value);
        return;
    }
    // A new item arrives with its value: one change for the table, not two.
    item = new DataGridItem;
    item->setData(role, value);
    m_view->setItem(viewRow, viewColumn, item);
}

void DataGrid::announceChanges()
{
    if (!m_unannounced)
        return;
    const ViewRange range = *m_unannounced;
    m_unannounced.reset();
    QAbstractItemModel* model = m_view->model();
    // Rows or columns may have gone since.
    const int bottom = std::min(range.bottom, model->rowCount() - 1);
    const int right = std::min(range.right, model->columnCount() - 1);
    if (bottom >= range.top && right >= range.left)
        emit model->dataChanged(model->index(range.top, range.left), model->index(bottom, right));
}

// --- text ------------------------------------------------------------------

QString DataGrid::text(int row, int column) const
{
    return DataGridItem::storedText(itemAt(row, column));
}

void DataGrid::setText(int row, int column, const QString& text)
{
    if (DataGridItem::storedText(itemAt(row, column)) == text || !isInside(row, column))
        return;
    writeCell(row, column, Qt::EditRole, text);
    emit cellChanged(row, column);
}

QString DataGrid::displayText(int row, int column) const
{
    if (isFixedCell(row, column))
        return text(row, column);
    return m_delegate->displayText(column - m_fixedColumns, text(row, column));
}

// --- columns -----------------------------------------------------------

void DataGrid::setColumnWidthTwips(int column, int twips)
{
    const int pixels = std::max(Twips::toPixelsX(twips, this), 0);
    if (column < 0 || column >= columnCount())
        return;
    if (column < m_fixedColumns)
        m_view->verticalHeader()->setFixedWidth(pixels);
    else
        m_view->setColumnWidth(column - m_fixedColumns, pixels);
}

int DataGrid::columnWidthTwips(int column) const
{
    if (column < 0 || column >= columnCount())
        return 0;
    const int pixels = column < m_fixedColumns ? m_view->verticalHeader()->width()
                                               : m_view->columnWidth(column - m_fixedColumns);
    return Twips::fromPixelsX(pixels, this);
}

void DataGrid::setRowHeightTwips(int row, int twips)
{
    const int pixels = std::max(Twips::toPixelsY(twips, this), 1);
    if (row < 0 || row >= rowCount())
        return;
    if (row < m_fixedRows)
        m_view->horizontalHeader()->setFixedHeight(pixels);
    else
        m_view->setRowHeight(row - m_fixedRows, pixels);
}

int DataGrid::rowHeightTwips(int row) const
{
    if (row < 0 || row >= rowCount())
        return 0;
    const int pixels = row < m_fixedRows ? m_view->horizontalHeader()->height()
                                         : m_view->rowHeight(row - m_fixedRows);
    return Twips::fromPixelsY(pixels, this);
}

void DataGrid::setColumnAlignment(int column, Qt::Alignment alignment)
{
    if (column >= m_fixedColumns)
        m_delegate->setColumnAlignment(column - m_fixedColumns, alignment);
    m_view->viewport()->update();
}

void DataGrid::setColumnFormat(int column, const QString& format)
{
    if (column >= m_fixedColumns)
        m_delegate->setColumnFormat(column - m_fixedColumns, format);
    m_view->viewport()->update();
}

QString DataGrid::columnFormat(int column) const
{
    return column >= m_fixedColumns ? m_delegate->columnFormat(column - m_fixedColumns) : QString();
}

void DataGrid::setColumnType(int column, ColumnType type)
{
    m_columnTypes.insert(column, type);
}

void DataGrid::setColumnEditLimit(int column, int characters)
{
    if (column >= m_fixedColumns)
        m_delegate->setColumnEditLimit(column - m_fixedColumns, characters);
}

// --- sorting, rows, clearing ------------------------------------------------

void DataGrid::setHeaderSorting(bool enabled)
{
    m_headerSorting = enabled;
    m_view->horizontalHeader()->setSectionsClickable(enabled);
    m_view->horizontalHeader()->setSortIndicatorShown(enabled);
}

void DataGrid::onHeaderClicked(int viewColumn)
{
    if (!m_headerSorting)
        return;
    const int column = viewColumn + m_fixedColumns;
    const SortOrder order = (column == m_lastSortColumn && m_lastSortOrder == SortOrder::Ascending)
        ? SortOrder::Descending
        : SortOrder::Ascending;
    m_lastSortColumn = column;
    m_lastSortOrder = order;
    emit beforeSort(column, order);
    sort(column, order);
    m_view->horizontalHeader()->setSortIndicator(
        viewColumn, order == SortOrder::Ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
    emit afterSort(column, order);
}

void DataGrid::sort(int column, SortOrder order)
{
    if (column < 0 || column >= columnCount())
        return;
    const int rows = m_view->rowCount();
    const int columns = m_view->columnCount();
    const ColumnType type = columnType(column);

    QList<DataGridSortKey> keys;
    keys.reserve(rows);
    for (int row = 0; row < rows; ++row)
        keys.append(DataGridSortKey::of(text(row + m_fixedRows, column), type));
    QList<int> sorted(rows);
    std::iota(sorted.begin(), sorted.end(), 0);
    std::stable_sort(sorted.begin(), sorted.end(), [&](int a, int b) {
        return order == SortOrder::Ascending ? DataGridSortKey::lessThan(keys[a], keys[b])
                                             : DataGridSortKey::lessThan(keys[b], keys[a]);
    });

    // Whole rows move, the fixed column's cells included; the heading row
    // stays where it is because it is not part of the table's rows.
    // Every cell moves, so the views hear once of the whole table rather
    // than twice of each cell.
    const QSignalBlocker blocker(m_view);
    QAbstractItemModel* model = m_view->model();
    {
        const QSignalBlocker quiet(model);
        QList<QTableWidgetItem*> headers(rows);
        QList<QList<QTableWidgetItem*>> cells(rows, QList<QTableWidgetItem*>(columns));
        for (int row = 0; row < rows; ++row) {
            headers[row] = m_view->takeVerticalHeaderItem(row);
            for (int c = 0; c < columns; ++c)
                cells[row][c] = m_view->takeItem(row, c);
        }
        for (int row = 0; row < rows; ++row) {
            const int from = sorted[row];
            if (headers[from])
                m_view->setVerticalHeaderItem(row, headers[from]);
            for (int c = 0; c < columns; ++c) {
                if (cells[from][c])
                    m_view->setItem(row, c, cells[from][c]);
            }
        }
    }
    ensureHeaderItems();
    if (rows > 0) {
        emit model->headerDataChanged(Qt::Vertical, 0, rows - 1);
        if (columns > 0)
            emit model->dataChanged(model->index(0, 0), model->index(rows - 1, columns - 1));
    }
}

void DataGrid::removeRow(int row)
{
    if (row < m_fixedRows || row >= rowCount())
        return;
    m_view->removeRow(row - m_fixedRows);
    m_row = std::min(m_row, std::max(rowCount() - 1, 0));
}

void DataGrid::clear()
{
    const QSignalBlocker blocker(m_view);
    m_view->clearContents();
    setHeaderItems(true);
    delete m_corner;
    m_corner = new DataGridItem;
    m_view->viewport()->update();
}

// --- grid files --------------------------------------------------------

Outcome DataGrid::saveToFile(const QString& filePath)
{
    DataGridFile::Contents contents { rowCount(), columnCount(), {}, {} };
    for (int row = 0; row < rowCount(); ++row) {
        for (int column = 0; column < columnCount(); ++column) {
            contents.texts.append(text(row, column));
            contents.bolds.append(isBold(row, column));
        }
    }
    return DataGridFile::write(filePath, contents);
}

Outcome DataGrid::loadFromFile(const QString& filePath)
{
    // Everything is read before anything changes, so a damaged file leaves
    // the grid as it was.
    DataGridFile::Contents contents;
    if (Outcome read = DataGridFile::read(filePath, contents); !read)
        return read;

    clear();
    setRowCount(contents.rows);
    setColumnCount(contents.columns);
    const QSignalBlocker blocker(m_view);
    for (int row = 0; row < rowCount(); ++row) {
        for (int column = 0; column < columnCount(); ++column) {
            const qsizetype cell = qsizetype(row) * contents.columns + column;
            if (!contents.texts[cell].isEmpty())
                writeCell(row, column, Qt::EditRole, contents.texts[cell]);
            if (contents.bolds[cell] != isBold(row, column))
                setCellBold(row, column, contents.bolds[cell]);
        }
    }
    return Outcome::success();
}

// --- background ----------------------------------------------------------

void DataGrid::setBackgroundColour(const QColor& colour)
{
    QPalette palette = m_view->palette();
    palette.setColor(QPalette::Base, colour.isValid() ? colour : m_defaultBase);
    m_view->viewport()->setPalette(palette);
    m_view->setPalette(palette);
}

QColor DataGrid::backgroundColour() const
{
    return m_view->viewport()->palette().color(QPalette::Base);
}

bool DataGrid::setBackgroundPicture(const QString& filePath)
{
    if (filePath.isEmpty()) {
        m_view->setBackgroundPicture({});
        return true;
    }
    QPixmap picture;
    const bool loaded = picture.load(filePath);
    m_view->setBackgroundPicture(loaded ? picture : QPixmap());
    return loaded;
}

bool DataGrid::hasBackgroundPicture() const
{
    return !m_view->backgroundPicture().isNull();
}

// --- editing -----------------------------------------------------------

bool DataGrid::mayEdit(int viewRow, int viewColumn)
{
    // Views told of a change later would reset the editor to the text the
    // cell had when it opened.
    announceChanges();
    m_editCancelled = false;
    emit beforeEdit(viewRow + m_fixedRows, viewColumn + m_fixedColumns);
    const bool allowed = !m_editCancelled && m_editMode == EditMode::KeyboardAndMouse;
    m_editCancelled = false;
    return allowed;
}
