#pragma once

#include "screens/DataGrid.h"
#include "storage/ProgramFolder.h"

#include <QDate>
#include <QObject>
#include <QStringList>

#include <functional>

class MessageService;
class QWidget;

// The log grid behaviour both trackers share: column 1 holds dates picked
// from a calendar, later columns are typed or derived. It runs Add Row and
// Delete Row (with the red row offered for deletion), undoes sorts by any
// column but the date through the snapshot file Temp.Fil, packs the log to
// the top after an ascending date sort, and opens the log's calendar for the
// date column.
class TrackerLog : public QObject
{
    Q_OBJECT

public:
    static constexpr int DateColumn = 1;
    static inline const QString SnapshotFileName = QStringLiteral("Temp.Fil");

    TrackerLog(DataGrid* grid, QWidget* calendar, const ProgramFolder& folder,
        MessageService& messages, QObject* parent = nullptr);

    // The tracker's Save run quietly (88 for Add Row, 99 for Delete Row);
    // true when the file was written.
    std::function<bool(qint16 quietSave)> save;
    std::function<void()> markChanged;
    // After an ascending date sort packed the rows, and after Delete Row:
    // the tracker recomputes what it derives from the log.
    std::function<void()> rowsPacked;
    std::function<void()> rowDeleted;
    // The calendar of the date column is shown at the cell for this date.
    std::function<void(const QDate&)> showCalendar;
    // Where the focus goes after a sort (Save) and after Delete Row.
    QWidget* focusAfterSort = nullptr;
    QWidget* deleteRowButton = nullptr;

    // The columns the user types into; a click elsewhere makes the grid
    // read-only.
    void setEditableColumns(QList<int> columns) { m_editableColumns = std::move(columns); }

    void addRow();
    void deleteRow();
    // DeleteHighlightedEntry: false when the user kept the row.
    bool deleteHighlightedEntry();

private:
    void clicked();
    void beforeEdit(int row, int column);
    void beforeSort(int column);
    void afterSort(int column, DataGrid::SortOrder order);
    void packDatedRowsToTop();

    DataGrid* m_grid;
    QWidget* m_calendar;
    ProgramFolder m_folder;
    MessageService& m_messages;
    QList<int> m_editableColumns;
    // Kept in memory as well, so that a snapshot file that cannot be
    // written never lets a stale Temp.Fil replace the log.
    bool m_snapshotOnDisk = false;
    QList<QStringList> m_snapshot;
};
