#pragma once

#include <QtGlobal>

// What the log grid asks of the tracker screen it serves. Every hook must be
// answered: a tracker that forgot one does not compile.
class TrackerLogClient
{
public:
    // Save run quietly by Add Row (TrackerLog::AddRowSave) or Delete Row
    // (TrackerLog::DeleteRowSave); true when the file was written.
    virtual bool saveLog(qint16 quietSave) = 0;
    // The user changed a cell, picked a date or removed a row.
    virtual void logChangedByUser() = 0;
    // A cell's editor closed: figures derived from the log are recomputed.
    virtual void logCellEdited() = 0;
    // An ascending date sort packed the dated rows to the top.
    virtual void logRowsPacked() = 0;
    // Delete Row removed a row, whether the quiet save then wrote or not.
    virtual void logRowDeleted() = 0;
    // A date picked from the log's calendar passed the date checker and
    // stands in the row's date cell. It runs before the pick counts as a
    // change, so the screen's changed mark is still the one from before.
    virtual void logDateAccepted(int row) = 0;
    // A sort or Delete Row is about to move the log's rows: whatever the
    // tracker holds on to by row number must let go first.
    virtual void logRowsAboutToMove() = 0;

protected:
    ~TrackerLogClient() = default;
};
