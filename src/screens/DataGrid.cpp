#include "screens/DataGrid.h"

#include "screens/DataGridDelegate.h"
#include "screens/DataGridView.h"
#include "screens/Twips.h"
#include "storage/NumberText.h"
#include "storage/StoredDate.h"

#include <QDataStream>
#include <QFile>
#include <QHeaderView>
#include <QSaveFile>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>
#include <numeric>

namespace {

// Grid files start with these so that loading any other file is refused.
constexpr quint32 gridFileMagic = 0x48475244; // "HGRD"
constexpr quint16 gridFileVersion = 1;
// Bounds that a corrupt size field cannot pass before anything is allocated.
constexpr qint32 mostFileRows = 1'000'000;
constexpr qint32 mostFileColumns = 1'000;
constexpr qint64 mostFileCells = 5'000'000;

constexpr int defaultFixedColumnWidth = 16;

// An item whose displayed text shows carriage returns as line breaks; the
// stored text (the edit role) is left as written.
class GridItem : public QTableWidgetItem
{
public:
    GridItem()
        : QTableWidgetItem(UserType)
    { }
    QTableWidgetItem* clone() const override { return new GridItem(*this); }
    QVariant data(int role) const override
    {
        QVariant value = QTableWidgetItem::data(role);
        if (role != Qt::DisplayRole)
            return value;
        QString text = value.toString();
        text.replace(QLatin1String("\r\n"), QString(QChar::LineSeparator));
        text.replace(QLatin1Char('\r'), QChar::LineSeparator);
        text.replace(QLatin1Char('\n'), QChar::LineSeparator);
        return text;
    }
};

QString storedText(const QTableWidgetItem* item)
{
    return item ? item->data(Qt::EditRole).toString() : QString();
}

// The order of one cell under a sort: empty cells, then values of the
// column's kind, then other texts.
struct SortKey {
    int rank = 0;
    double number = 0;
    QDate date;
    QString text;
};

SortKey sortKey(const QString& text, DataGrid::ColumnType type)
{
    SortKey key;
    key.text = text;
    if (text.trimmed().isEmpty())
        return key;
    if (type == DataGrid::ColumnType::Date) {
        key.date = StoredDate::parse(text);
        key.rank = key.date.isValid() ? 1 : 2;
        return key;
    }
    const std::optional<double> number = NumberText::toNumber(text);
    key.number = number.value_or(0);
    key.rank = number ? 1 : 2;
    return key;
}

bool lessThan(const SortKey& a, const SortKey& b)
{
    if (a.rank != b.rank)
        return a.rank < b.rank;
    if (a.rank == 1)
        return a.date.isValid() ? a.date < b.date : a.number < b.number;
    if (a.rank == 2)
        return QString::compare(a.text, b.text, Qt::CaseInsensitive) < 0;
    return false;
}

} // namespace

DataGrid::DataGrid(QWidget* parent)
    : DataGrid(1, 1, parent)
{ }

DataGrid::DataGrid(int fixedRows, int fixedColumns, QWidget* parent)
    : QWidget(parent)
    , m_view(new DataGridView(this))
    , m_delegate(new DataGridDelegate(this))
    , m_corner(new GridItem)
    , m_fixedRows(std::clamp(fixedRows, 0, 1))
    , m_fixedColumns(std::clamp(fixedColumns, 0, 1))
    , m_row(m_fixedRows)
    , m_column(m_fixedColumns)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    setFocusProxy(m_view);

    m_view->setItemPrototype(new GridItem);
    m_view->setItemDelegate(m_delegate);
    m_view->setCornerButtonEnabled(false);
    m_view->setWordWrap(true);
    m_defaultBase = m_view->viewport()->palette().color(QPalette::Base);

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
    // Without an item the table's headers would show row and column numbers.
    for (int row = 0; row < m_view->rowCount(); ++row) {
        if (!m_view->verticalHeaderItem(row))
            m_view->setVerticalHeaderItem(row, new GridItem);
    }
    for (int column = 0; column < m_view->columnCount(); ++column) {
        if (!m_view->horizontalHeaderItem(column))
            m_view->setHorizontalHeaderItem(column, new GridItem);
    }
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
    if (!isInside(row, column))
        return nullptr;
    const int viewRow = row - m_fixedRows;
    const int viewColumn = column - m_fixedColumns;
    if (viewRow < 0 && viewColumn < 0)
        return m_corner;
    if (viewRow < 0)
        return m_view->horizontalHeaderItem(viewColumn);
    if (viewColumn < 0)
        return m_view->verticalHeaderItem(viewRow);
    return m_view->item(viewRow, viewColumn);
}

QTableWidgetItem* DataGrid::ensureItem(int row, int column)
{
    if (!isInside(row, column))
        return nullptr;
    if (QTableWidgetItem* item = itemAt(row, column))
        return item;
    // Header items always exist (ensureHeaderItems), so only data cells are
    // created on demand.
    auto* item = new GridItem;
    m_view->setItem(row - m_fixedRows, column - m_fixedColumns, item);
    return item;
}

// --- text ------------------------------------------------------------------

QString DataGrid::text(int row, int column) const
{
    return storedText(itemAt(row, column));
}

void DataGrid::setText(int row, int column, const QString& text)
{
    if (!isInside(row, column) || this->text(row, column) == text)
        return;
    ensureItem(row, column)->setData(Qt::EditRole, text);
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

// --- cell look ---------------------------------------------------------

void DataGrid::forEachCell(
    const CellRange& range, const std::function<void(QTableWidgetItem*, QFont)>& apply)
{
    const int top = std::max(std::min(range.row1, range.row2), 0);
    const int bottom = std::min(std::max(range.row1, range.row2), rowCount() - 1);
    const int left = std::max(std::min(range.col1, range.col2), 0);
    const int right = std::min(std::max(range.col1, range.col2), columnCount() - 1);
    for (int row = top; row <= bottom; ++row) {
        for (int column = left; column <= right; ++column)
            apply(ensureItem(row, column), effectiveFont(row, column));
    }
    m_view->viewport()->update();
    m_view->horizontalHeader()->viewport()->update();
    m_view->verticalHeader()->viewport()->update();
}

QFont DataGrid::effectiveFont(int row, int column) const
{
    const QTableWidgetItem* item = itemAt(row, column);
    if (item && item->data(Qt::FontRole).isValid())
        return item->font();
    if (row < m_fixedRows)
        return m_view->horizontalHeader()->font();
    if (column < m_fixedColumns)
        return m_view->verticalHeader()->font();
    return m_view->font();
}

bool DataGrid::isBold(int row, int column) const
{
    return effectiveFont(row, column).bold();
}

bool DataGrid::isUnderline(int row, int column) const
{
    return effectiveFont(row, column).underline();
}

qreal DataGrid::fontSize(int row, int column) const
{
    return effectiveFont(row, column).pointSizeF();
}

void DataGrid::setBold(const CellRange& range, bool bold)
{
    forEachCell(range, [&](QTableWidgetItem* item, QFont font) {
        font.setBold(bold);
        item->setFont(font);
    });
}

void DataGrid::setUnderline(const CellRange& range, bool underline)
{
    forEachCell(range, [&](QTableWidgetItem* item, QFont font) {
        font.setUnderline(underline);
        item->setFont(font);
    });
}

void DataGrid::setFontSize(const CellRange& range, qreal points)
{
    if (points <= 0)
        return;
    forEachCell(range, [&](QTableWidgetItem* item, QFont font) {
        font.setPointSizeF(points);
        item->setFont(font);
    });
}

void DataGrid::setBackground(const CellRange& range, const QColor& colour)
{
    forEachCell(range, [&](QTableWidgetItem* item, const QFont&) {
        item->setData(Qt::BackgroundRole, colour.isValid() ? QVariant(QBrush(colour)) : QVariant());
    });
}

QColor DataGrid::background(int row, int column) const
{
    const QTableWidgetItem* item = itemAt(row, column);
    const QVariant brush = item ? item->data(Qt::BackgroundRole) : QVariant();
    return brush.isValid() ? brush.value<QBrush>().color() : QColor();
}

void DataGrid::setForeground(const CellRange& range, const QColor& colour)
{
    forEachCell(range, [&](QTableWidgetItem* item, const QFont&) {
        item->setData(Qt::ForegroundRole, colour.isValid() ? QVariant(QBrush(colour)) : QVariant());
    });
}

QColor DataGrid::foreground(int row, int column) const
{
    const QTableWidgetItem* item = itemAt(row, column);
    const QVariant brush = item ? item->data(Qt::ForegroundRole) : QVariant();
    return brush.isValid() ? brush.value<QBrush>().color() : QColor();
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

    QList<SortKey> keys;
    keys.reserve(rows);
    for (int row = 0; row < rows; ++row)
        keys.append(sortKey(text(row + m_fixedRows, column), type));
    QList<int> sorted(rows);
    std::iota(sorted.begin(), sorted.end(), 0);
    std::stable_sort(sorted.begin(), sorted.end(), [&](int a, int b) {
        return order == SortOrder::Ascending ? lessThan(keys[a], keys[b])
                                             : lessThan(keys[b], keys[a]);
    });

    // Whole rows move, the fixed column's cells included; the heading row
    // stays where it is because it is not part of the table's rows.
    const QSignalBlocker blocker(m_view);
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
    ensureHeaderItems();
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
    const int rows = m_view->rowCount();
    const int columns = m_view->columnCount();
    m_view->clearContents();
    for (int row = 0; row < rows; ++row)
        m_view->setVerticalHeaderItem(row, new GridItem);
    for (int column = 0; column < columns; ++column)
        m_view->setHorizontalHeaderItem(column, new GridItem);
    delete m_corner;
    m_corner = new GridItem;
    m_view->viewport()->update();
}

// --- grid files --------------------------------------------------------

bool DataGrid::saveToFile(const QString& filePath)
{
    QSaveFile file(filePath);
    if (!file.open(QIODevice::WriteOnly)) {
        m_error = file.errorString();
        return false;
    }
    QDataStream out(&file);
    out.setVersion(QDataStream::Qt_6_4);
    out << gridFileMagic << gridFileVersion << qint32(rowCount()) << qint32(columnCount());
    for (int row = 0; row < rowCount(); ++row) {
        for (int column = 0; column < columnCount(); ++column)
            out << text(row, column) << isBold(row, column);
    }
    if (out.status() != QDataStream::Ok || !file.commit()) {
        m_error = file.errorString();
        return false;
    }
    m_error.clear();
    return true;
}

bool DataGrid::loadFromFile(const QString& filePath)
{
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly)) {
        m_error = file.errorString();
        return false;
    }
    QDataStream in(&file);
    in.setVersion(QDataStream::Qt_6_4);
    quint32 magic = 0;
    quint16 version = 0;
    qint32 rows = 0;
    qint32 columns = 0;
    in >> magic >> version >> rows >> columns;
    const bool sizeOk = rows >= 0 && columns >= 0 && rows <= mostFileRows
        && columns <= mostFileColumns && qint64(rows) * columns <= mostFileCells;
    if (in.status() != QDataStream::Ok || magic != gridFileMagic || version != gridFileVersion
        || !sizeOk) {
        m_error = tr("Not a grid file");
        return false;
    }

    // Everything is read before anything changes, so a damaged file leaves
    // the grid as it was.
    QList<QString> texts(qsizetype(rows) * columns);
    QList<bool> bolds(texts.size());
    for (qsizetype cell = 0; cell < texts.size() && in.status() == QDataStream::Ok; ++cell)
        in >> texts[cell] >> bolds[cell];
    if (in.status() != QDataStream::Ok || !in.atEnd()) {
        m_error = tr("The grid file is damaged");
        return false;
    }

    clear();
    setRowCount(rows);
    setColumnCount(columns);
    const QSignalBlocker blocker(m_view);
    for (int row = 0; row < rowCount(); ++row) {
        for (int column = 0; column < columnCount(); ++column) {
            const qsizetype cell = qsizetype(row) * columns + column;
            if (!texts[cell].isEmpty())
                ensureItem(row, column)->setData(Qt::EditRole, texts[cell]);
            if (bolds[cell] != isBold(row, column))
                setCellBold(row, column, bolds[cell]);
        }
    }
    m_error.clear();
    return true;
}

// --- background ----------------------------------------------------------

void DataGrid::setBackgroundColour(const QColor& colour)
{
    QPalette palette = m_view->viewport()->palette();
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
    m_editCancelled = false;
    emit beforeEdit(viewRow + m_fixedRows, viewColumn + m_fixedColumns);
    const bool allowed = !m_editCancelled && m_editMode == EditMode::KeyboardAndMouse;
    m_editCancelled = false;
    return allowed;
}
