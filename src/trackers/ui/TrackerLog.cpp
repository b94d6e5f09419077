#include "TrackerLog.h"

#include "screens/EntryBoxRules.h"
#include "screens/MonthCalendar.h"
#include "services/Clock.h"
#include "services/MessageService.h"
#include "storage/StoredDate.h"
#include "trackers/ui/CalendarPlacement.h"
#include "trackers/ui/DateChecker.h"
#include "trackers/ui/TrackerLogClient.h"

#include <QApplication>
#include <QLineEdit>
#include <QTableWidget>
#include <QWidget>

namespace {

const QColor DeletionMark(255, 0, 0);

} // namespace

TrackerLog::TrackerLog(DataGrid* grid, MonthCalendar* calendar, TrackerLogClient& client,
    const Services& services, QObject* parent)
    : QObject(parent)
    , m_grid(grid)
    , m_calendar(calendar)
    , m_client(client)
    , m_services(services)
{
    connect(m_grid, &DataGrid::clicked, this, &TrackerLog::clicked);
    connect(m_grid, &DataGrid::beforeEdit, this, &TrackerLog::beforeEdit);
    connect(m_grid, &DataGrid::beforeSort, this, [this](int column) { beforeSort(column); });
    connect(m_grid, &DataGrid::afterSort, this, &TrackerLog::afterSort);
    connect(m_grid, &DataGrid::editorTextChanged, this, [this] {
        removeQuoteFromEditor();
        userChanged();
    });
    connect(m_grid, &DataGrid::cellChanged, this, [this] {
        userChanged();
        m_calendar->hide();
    });
    connect(m_grid, &DataGrid::afterEdit, this, [this] { m_client.logCellEdited(); });
    connect(m_calendar, &MonthCalendar::datePicked, this, &TrackerLog::datePicked);
}

void TrackerLog::setFocusTargets(QWidget* afterSort, QWidget* deleteRowButton)
{
    m_focusAfterSort = afterSort;
    m_deleteRowButton = deleteRowButton;
}

void TrackerLog::userChanged()
{
    if (!m_programWriting)
        m_client.logChangedByUser();
}

void TrackerLog::removeQuoteFromEditor()
{
    // A double quote cannot be stored; the cell editor drops it as typed,
    // as the boxes do.
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    if (editor && m_grid->isAncestorOf(editor))
        EntryBoxRules::applyNoDoubleQuoteRule(editor);
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
    m_dateBeforePick = m_grid->text(row, column);
    const QDate stored = StoredDate::parse(m_dateBeforePick);
    showCalendar(stored.isValid() ? stored : m_services.clock.today());
}

void TrackerLog::showCalendar(const QDate& date)
{
    m_calendar->setSelectedDate(date);
    QTableWidget* view = m_grid->view();
    // The view has no fixed row or column of its own: they are its headers.
    const QRect cell
        = view->visualRect(view->model()->index(m_grid->currentRow() - m_grid->fixedRows(),
            m_grid->currentColumn() - m_grid->fixedColumns()));
    CalendarPlacement::showBeside(m_calendar, view->viewport(), cell.right() + 4, cell.top());
    // A date is picked by keys as well as by the mouse: the days take the
    // focus, and Escape gives it back to the log.
    m_calendar->setFocus(Qt::OtherFocusReason);
}

void TrackerLog::datePicked(const QDate& date)
{
    const QString picked = StoredDate::longText(date);
    {
        // Only an accepted date is a change; a refused one must not cost
        // the reading the date it had.
        auto quietly = programWrites();
        m_grid->setText(picked);
        if (!m_services.dateChecker.accepts(picked)) {
            m_grid->setText(m_dateBeforePick);
            m_grid->view()->setFocus();
            return;
        }
    }
    m_calendar->hide();
    m_client.logDateAccepted(m_grid->currentRow());
    m_client.logChangedByUser();
}

void TrackerLog::addRow()
{
    m_grid->setRowCount(m_grid->rowCount() + 1);
    if (!m_client.saveLog(AddRowSave))
        return;
    m_services.messages.inform(
        QStringLiteral("Row has been added to the end of the Grid and File Saved!"),
        QStringLiteral("Add Row Command"));
}

void TrackerLog::deleteRow()
{
    m_client.logRowsAboutToMove();
    if (!deleteHighlightedEntry())
        return;
    const bool saved = m_client.saveLog(DeleteRowSave);
    m_client.logRowDeleted();
    if (saved)
        m_services.messages.inform(QStringLiteral("Row has been Deleted and File Saved"),
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
    const MessageService::Answer answer = m_services.messages.show({
        QStringLiteral("Do you really want to delete the highlighted Entry?"),
        QStringLiteral("Delete Highlighted Entry"),
        MessageService::Icon::Question,
        MessageService::Buttons::YesNo,
        MessageService::Answer::No,
    });
    if (answer != MessageService::Answer::Yes) {
        m_grid->setBackground({ row, 0, row, lastColumn }, QColor());
        if (m_deleteRowButton)
            m_deleteRowButton->setFocus();
        return false;
    }
    m_grid->removeRow(row);
    m_client.logChangedByUser();
    if (m_deleteRowButton)
        m_deleteRowButton->setFocus();
    if (row < m_grid->rowCount())
        m_grid->setBackground({ row, 0, row, lastColumn }, QColor());
    return true;
}

void TrackerLog::beforeSort(int column)
{
    m_client.logRowsAboutToMove();
    m_calendar->hide();
    if (column <= DateColumn)
        return;
    m_snapshot.clear();
    for (int row = 0; row < m_grid->rowCount(); ++row) {
        QStringList texts;
        for (int c = 0; c < m_grid->columnCount(); ++c)
            texts.append(m_grid->text(row, c));
        m_snapshot.append(texts);
    }
    // Kept in memory too, so a snapshot that could not be stored still
    // undoes the sort.
    m_snapshotOnDisk = m_grid->saveToFile(m_services.folder.filePath(SnapshotFileName)).succeeded;
}

void TrackerLog::afterSort(int column, DataGrid::SortOrder order)
{
    if (column > DateColumn) {
        // Only the date column orders the log; any other sort is undone.
        m_grid->clear();
        if (!(m_snapshotOnDisk
                && m_grid->loadFromFile(m_services.folder.filePath(SnapshotFileName)))) {
            for (int row = 0; row < m_snapshot.size(); ++row) {
                for (int c = 0; c < m_snapshot[row].size(); ++c)
                    m_grid->setText(row, c, m_snapshot[row][c]);
            }
        }
        if (m_focusAfterSort)
            m_focusAfterSort->setFocus();
        return;
    }
    // The fixed column holds nothing to sort by: it counts as the date
    // column, so the log is never emptied by testing an always-empty cell.
    m_calendar->hide();
    if (order == DataGrid::SortOrder::Ascending) {
        if (column != DateColumn)
            m_grid->sort(DateColumn, order);
        m_client.logChangedByUser();
        packDatedRowsToTop();
        m_client.logRowsPacked();
    } else if (column != DateColumn) {
        m_grid->sort(DateColumn, order);
    }
    if (m_focusAfterSort)
        m_focusAfterSort->setFocus();
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
