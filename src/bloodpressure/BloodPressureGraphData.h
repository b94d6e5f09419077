#pragma once

#include "bloodpressure/Reading.h"
#include "storage/GraphData.h"

#include <QList>
#include <QString>

// The blood-pressure graphs: five series over the graphed readings, in log
// order. Series 1 is the systolic normal line (119), 2 the systolic
// pressures, 3 the diastolic normal line (79), 4 the diastolic pressures, 5
// the pulses. Each point is labelled with its date as "mmm-dd-yy", followed
// by "-" and the time when the time is displayed.
class BloodPressureGraphData
{
public:
    static constexpr int ScreenLimit = 50;
    // Just below the prehypertension bounds of 120 and 80.
    static constexpr double SystolicNormal = 119;
    static constexpr double DiastolicNormal = 79;
    static inline const QString CaptionSuffix = QStringLiteral(" Blood Pressure");

    // The screen graph (Chart2D1): the latest 50 readings, under
    // "Date Of  Readings", with " (Graph Limited to Last 50 Entries)" from 50
    // readings on.
    static GraphData screenGraph(const QString& name, const QList<Reading>& rows, bool showTime);

    // Whether the report prints the screen graph rather than a graph of its
    // own: for "All" (0) and for more entries than the screen graph holds.
    // For those choices the print graph is not rebuilt.
    static bool printUsesScreenGraph(int printEntryCount);

    // The print graph (Chart2D2) of the last printEntryCount readings, or all
    // when there are fewer, titled "Date Of  Readings (Displaying last N
    // entries.)" with the number actually graphed.
    static GraphData printGraph(
        const QString& name, const QList<Reading>& rows, int printEntryCount, bool showTime);

    // The report's summary page: the screen graph with two more series, the
    // moving averages of the last 7 systolic and of the last 7 diastolic
    // values (fewer at the start of the log), taken over the whole log so
    // that the first points graphed carry the readings before them.
    static constexpr int MovingAverageReadings = 7;
    static GraphData summaryGraph(const QString& name, const QList<Reading>& rows);

    // "Mar-05-12", or "Mar-05-12-7:05 AM" with the time shown. A date that is
    // not a date is kept as it is.
    static QString pointLabel(const Reading& reading, bool showTime);
};
