#pragma once

#include "bloodpressure/Reading.h"
#include "logimport/SourceLog.h"

#include <QDate>
#include <QList>
#include <QString>

// What an import adds to a blood-pressure log: each reading with its time
// as the hour and minute lists write it ("7:05 AM"), its values rounded to
// whole numbers and refused outside the entry panel's pick lists; a reading
// equal to one already logged (same day, time and values) skipped and
// counted. A reading without a pulse keeps its pulse cell empty.
class ReadingImportPlan
{
public:
    QList<Reading> added; // by date and time; the program's own log in its order
    int duplicates = 0; // already in the log before the import
    int repeated = 0; // the same reading again in the file
    int withoutPulse = 0;
    QList<RefusedLine> refused;
    QList<SkippedLines> skipped;
    QDate first;
    QDate last;

    // Dates before 1900 or after the year after today's are refused.
    static ReadingImportPlan make(
        const SourceLog& source, const QList<Reading>& log, QDate today = QDate::currentDate());
};
