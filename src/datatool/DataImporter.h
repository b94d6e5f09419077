#pragma once

#include "FolderChecker.h"
#include "storage/ProgramFolder.h"
#include "trackers/IndividualList.h"

#include <QByteArray>
#include <QList>
#include <QString>

// What every import into a log shares: the check of the target file, and
// rows placed below what it holds.
//
// A data file that the folder check finds damaged is not imported into:
// rows placed under a damaged row count would land in the wrong place.
class DataImporter
{
public:
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
