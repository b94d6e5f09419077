#pragma once

#include "FolderChecker.h"
#include "storage/ProgramFolder.h"
#include "trackers/IndividualList.h"

#include <QByteArray>
#include <QList>
#include <QString>

// Appends the rows of a CSV file to one individual's weight or
// blood-pressure file, creating the individual (data file and list entry)
// when the name is not listed yet.
//
// All or nothing: the name and every row are checked before any file is
// touched, and one bad row refuses the whole import, each bad row reported
// with its line. Columns are found by their header name, so the tool's own
// export (whose derived columns are ignored) and a hand-made table with only
// the needed columns both import.
//
// A data file that the folder check finds damaged is not imported into:
// rows placed under a damaged row count would land in the wrong place.
class DataImporter
{
public:
    struct RowError {
        int line = 0;
        QString reason;
        bool operator==(const RowError&) const = default;
    };

    struct Result {
        bool ok = false;
        int rowsAdded = 0;
        bool individualCreated = false;
        // A fault of the CSV as a whole (its syntax or header), or empty.
        QString error;
        // A fault on the program folder's side (the name, a damaged file, a
        // file that cannot be read or written), or empty.
        QString targetError;
        QList<RowError> rowErrors;
    };

    static Result importWeight(
        const ProgramFolder& folder, const QString& name, const QByteArray& csv);
    static Result importBloodPressure(
        const ProgramFolder& folder, const QString& name, const QByteArray& csv);

    // Why the listed individual's data file must not be imported into, or
    // the empty text: the damage the folder check finds in it, each fault
    // named.
    static QString damageOf(const ProgramFolder& folder, FolderChecker::Tracker tracker,
        const QString& name, const IndividualList& list);

    // Appends below the last row that holds anything, so no stored cell is
    // overwritten and empty rows left by Add Row are used first.
    template <typename Row> static void appendRows(QList<Row>& rows, const QList<Row>& added)
    {
        qsizetype at = rows.size();
        while (at > 0 && rows.at(at - 1).isEmpty())
            --at;
        for (const Row& row : added) {
            if (at < rows.size())
                rows[at] = row;
            else
                rows.append(row);
            ++at;
        }
    }
};
