#pragma once

#include "bloodpressure/Reading.h"

#include <QList>

// PrintEntryCount: how many of the latest readings the blood-pressure report
// prints, 0 for all of them.
class PrintEntryCount
{
public:
    // The choices besides "All", in the order of their option buttons
    // SSOption2(1) to SSOption2(8).
    static constexpr int Choices[8] { 5, 10, 15, 20, 30, 45, 60, 90 };

    // The readings printed: from the first row down to the row before the
    // first one without a date, the latest entryCount of them (all for 0).
    static QList<Reading> printedRange(const QList<Reading>& rows, int entryCount);
    // The rows whose date is filled in, wherever they stand: what the
    // choices are offered by.
    static int datedEntries(const QList<Reading>& rows);
};
