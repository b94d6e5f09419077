#include "PrintEntryCount.h"

#include "trackers/DatedRows.h"

#include <algorithm>

QList<Reading> PrintEntryCount::printedRange(const QList<Reading>& rows, int entryCount)
{
    return DatedRows::rowsOf(rows, DatedRows::latest(DatedRows::count(rows), entryCount));
}

int PrintEntryCount::datedEntries(const QList<Reading>& rows)
{
    return int(std::count_if(rows.begin(), rows.end(),
        [](const Reading& reading) { return !reading.date.trimmed().isEmpty(); }));
}
