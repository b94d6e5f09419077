#pragma once

#include "screens/DataGrid.h"
#include "storage/ProgramFolder.h"

#include <QDate>
#include <QList>
#include <QObject>
#include <QScopedValueRollback>
#include <QStringList>

class Clock;
class DateChecker;
class MessageService;
class MonthCalendar;
class TrackerLogClient;
class QWidget;

// The log grid behaviour both trackers share: column 1 holds dates picked
// from the log's calendar (refused future dates put back what the cell held),
// later columns are typed or derived. It runs Add Row and Delete Row (with
// the red row offered for deletion), undoes sorts by any column but the date
// through the snapshot file Temp.Fil, packs the log to the top after an
// ascending date sort, and keeps double quotes out of the cell editor.
class TrackerLog : public QObject
{
    Q_OBJECT

public:
    static constexpr int DateColumn = 1;
    static inline const QString SnapshotFileName = QStringLiteral("Temp.Fil");

    // QuietSave markers: Save runs for Add Row even without changes, and
    // shows no message of its own for either.
    static constexpr qint16 AddRowSave = 88;
    static constexpr qint16 DeleteRowSave = 99;

    struct Services {
        ProgramFolder folder;
        MessageService& messages;
        Clock& clock;
        DateChecker& dateChecker;
    };

    TrackerLog(DataGrid* grid, MonthCalendar* calendar, TrackerLogClient& client,
        const Services& services, QObject* parent = nullptr);

    // The columns the user types into; a click elsewhere makes the grid
    // read-only.
    void setEditableColumns(QList<int> columns) { m_editableColumns = std::move(columns); }
    // Where the focus goes after a sort (Save) and after Delete Row.
    void setFocusTargets(QWidget* afterSort, QWidget* deleteRowButton);

    // While the returned guard lives, cell writes are the program's own
    // (loading, derived columns), not changes made by the user.
    [[nodiscard]] QScopedValueRollback<bool> programWrites()
    {
        return QScopedValueRollback<bool>(m_programWriting, true);
    }

    void addRow();
    void deleteRow();
    // DeleteHighlightedEntry: false when the user kept the row.
    bool deleteHighlightedEntry();

private:
    void clicked();
    void beforeEdit(int row, int column);
    void showCalendar(const QDate& date);
    void datePicked(const QDate& date);
    void beforeSort(int column);
    void afterSort(int column, DataGrid::SortOrder order);
    void packDatedRowsToTop();
    void userChanged();
    void removeQuoteFromEditor();

    DataGrid* m_grid;
    MonthCalendar* m_calendar;
    TrackerLogClient& m_client;
    Services m_services;
    QList<int> m_editableColumns;
    QWidget* m_focusAfterSort = nullptr;
    QWidget* m_deleteRowButton = nullptr;
    bool m_programWriting = false;
    // What the date cell held when its calendar opened, put back when the
    // date checker refuses the pick.
    QString m_dateBeforePick;
    // Kept in memory as well, so that a snapshot file that cannot be
    // written never lets a stale Temp.Fil replace the log.
    bool m_snapshotOnDisk = false;
    QList<QStringList> m_snapshot;
};
