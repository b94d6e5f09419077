#pragma once

#include "bloodpressure/BloodPressureStatistics.h"

#include <QString>
#include <QStringList>

// The words the statistics are shown in, the same on the screen, on the
// report's summary page and in halvorn-data's text: averages rounded as the
// screen rounds them, written systolic/diastolic with the pulse after.
class BloodPressureSummaryText
{
public:
    static inline const QString NotEnoughDays = QStringLiteral("Not enough days");

    // "126/83, pulse 72"; a value with nothing counted shows as "-".
    static QString averages(const BloodPressureStatistics::Figures& figures);
    // "1 reading", "5 readings".
    static QString readings(int count);
    // "Morning: 126/83, pulse 72 (5 readings)".
    static QString period(const QString& caption, const BloodPressureStatistics::Figures& figures);
    // Both periods on one line, or empty unless both have readings.
    static QString morningAndEvening(const BloodPressureStatistics& statistics);
    // "132.3/84.7": the home week's averages that are compared with the
    // home threshold, to one decimal, so that a diastolic of 84.67 never
    // shows as the 85 it is said to be below; "-" for a value not counted.
    static QString homeWeekAverages(const BloodPressureStatistics& statistics);
    // "Days 2 to 7 of the week of ...", the figures and the threshold, or
    // "Not enough days" with how many had readings; empty for an empty log.
    static QStringList homeWeek(const BloodPressureStatistics& statistics);
    // "Above the home threshold of 135/85" or "Below ...".
    static QString threshold(const BloodPressureStatistics& statistics);
    static QString date(const QDate& date);
};
