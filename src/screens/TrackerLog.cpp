#include "TrackerLog.h"

#include "screens/MessageService.h"
#include "storage/StoredDate.h"

#include <QTableWidget>
#include <QWidget>

namespace {

const QColor DeletionMark(255, 0, 0);

} // namespace

TrackerLog::TrackerLog(DataGrid* grid, QWidget* calendar, const ProgramFolder& folder,
    MessageService& messages, QObject* parent)
    : QObject(parent)
    , m_grid(grid)
    , m_calendar(calendar)
    , m_folder(folder)
    , m_messages(messages)
{
    connect(m_grid, &DataGrid::clicked, this, &TrackerLog::clicked);
    connect(m_grid, &DataGrid::beforeEdit, this, &TrackerLog::beforeEdit);
    connect(m_grid, &DataGrid::beforeSort, this, [this](int column) { beforeSort(column); });
    connect(m_grid, &DataGrid::afterSort, this, &TrackerLog::afterSort);
    connect(m_grid, &DataGrid::editorTextChanged, this, [this] {
        if (markChanged)
            markChanged();
    });
    connect(m_grid, &DataGrid::cellChanged, this, [this] {
        if (markChanged)
            markChanged();
        m_calendar->hide();
    });
}

void TrackerLog::clicked()
{
    m_calendar->hide();
    if (m_grid->currentRow() < m_grid->fixedRows())
        return;
    const bool editable = m_editableColumns.contains(m_grid->currentColumn());
    m_grid->setEditMode(
        editable ? DataGrid::EditMode::KeyboardAndMouse : DataGrid::EditMode::NotEditable);
}

void TrackerLog::beforeEdit(int row, int column)
{
    if (row == 0 || column != DateColumn) {
        m_calendar->hide();
        return;
    }
    // The date column is filled from the calendar only.
    m_grid->cancelEdit();
    const QDate stored = StoredDate::parse(m_grid->text(row, column));
    if (showCalendar)
        showCalendar(stored.isValid() ? stored : QDate());
}

void TrackerLog::addRow()
{
    m_grid->setRowCount(m_grid->rowCount() + 1);
    if (save && !save(88))
        return;
    m_messages.inform(QStringLiteral("Row has been added to the end of the Grid and File Saved!"),
        QStringLiteral("Add Row Command"));
}

void TrackerLog::deleteRow()
{
    if (!deleteHighlightedEntry())
        return;
    const bool saved = !save || save(99);
    if (rowDeleted)
        rowDeleted();
    if (saved)
        m_messages.inform(QStringLiteral("Row has been Deleted and File Saved"),
            QStringLiteral("Delete Row Command"));
}

bool TrackerLog::deleteHighlightedEntry()
{
    m_calendar->hide();
    const int row = std::max(m_grid->currentRow(), 1);
    if (row >= m_grid->rowCount())
        return false;
    const int lastColumn = m_grid->columnCount() - 1;
    m_grid->setEditMode(DataGrid::EditMode::NotEditable);
    m_grid->setBackground({ row, 0, row, lastColumn }, DeletionMark);
    const MessageService::Answer answer = m_messages.show({
        QStringLiteral("Do you really want to delete the highlighted Entry?"),
        QStringLiteral("Delete Highlighted Entry"),
        MessageService::Icon::Question,
        MessageService::Buttons::YesNo,
        MessageService::Answer::No,
    });
    if (answer != MessageService::Answer::Yes) {
        m_grid->setBackground({ row, 0, row, lastColumn }, QColor());
        if (deleteRowButton)
            deleteRowButton->setFocus();
        return false;
    }
    m_grid->removeRow(row);
    if (markChanged)
        markChanged();
    if (deleteRowButton)
        deleteRowButton->setFocus();
    if (row < m_grid->rowCount())
        m_grid->setBackground({ row, 0, row, lastColumn }, QColor());
    return true;
}

void TrackerLog::beforeSort(int column)
{
    if (column <= DateColumn)
        return;
    m_snapshot.clear();
    for (int row = 0; row < m_grid->rowCount(); ++row) {
        QStringList texts;
        for (int c = 0; c < m_grid->columnCount(); ++c)
            texts.append(m_grid->text(row, c));
        m_snapshot.append(texts);
    }
    m_snapshotOnDisk = m_grid->saveToFile(m_folder.filePath(SnapshotFileName));
}

void TrackerLog::afterSort(int column, DataGrid::SortOrder order)
{
    if (column > DateColumn) {
        // Only the date column orders the log; any other sort is undone.
        m_grid->clear();
        if (!(m_snapshotOnDisk && m_grid->loadFromFile(m_folder.filePath(SnapshotFileName)))) {
            for (int row = 0; row < m_snapshot.size(); ++row) {
                for (int c = 0; c < m_snapshot[row].size(); ++c)
                    m_grid->setText(row, c, m_snapshot[row][c]);
            }
        }
        if (focusAfterSort)
            focusAfterSort->setFocus();
        return;
    }
    // The fixed column holds nothing to sort by: it counts as the date
    // column, so the log is never emptied by testing an always-empty cell.
    m_calendar->hide();
    if (order == DataGrid::SortOrder::Ascending) {
        if (column != DateColumn)
            m_grid->sort(DateColumn, order);
        if (markChanged)
            markChanged();
        packDatedRowsToTop();
        if (rowsPacked)
            rowsPacked();
    } else if (column != DateColumn) {
        m_grid->sort(DateColumn, order);
    }
    if (focusAfterSort)
        focusAfterSort->setFocus();
}

void TrackerLog::packDatedRowsToTop()
{
    const int rows = m_grid->rowCount();
    for (int removed = 0; removed < rows && m_grid->rowCount() > 1
         && m_grid->text(1, DateColumn).trimmed().isEmpty();
         ++removed)
        m_grid->removeRow(1);
    m_grid->setRowCount(rows);
}
