#pragma once

#include "bloodpressure/BloodPressureGuideline.h"
#include "bloodpressure/Reading.h"

#include <QDate>
#include <QList>

#include <optional>

// The figures a doctor reads a reading log by, under one guideline: the
// period, minimum, average and maximum of each value, the morning and
// evening averages, the home-monitoring week and the readings in each
// category. The screen, the report's summary page and halvorn-data take
// them from here.
//
// Only dated readings count. A value counts as the screen's averages count
// it (a leading number of 20 or more), each value on its own: a reading
// without a pulse still counts for its pressures.
class BloodPressureStatistics
{
public:
    class Measure
    {
    public:
        void add(double value);
        int count() const { return m_count; }
        std::optional<double> minimum() const;
        std::optional<double> maximum() const;
        std::optional<double> average() const;
        // As the screen shows it: the integer part of the average + 0.5.
        std::optional<int> rounded() const;

    private:
        int m_count = 0;
        double m_sum = 0;
        double m_minimum = 0;
        double m_maximum = 0;
    };

    struct Figures {
        int readings = 0;
        Measure systolic;
        Measure diastolic;
        Measure pulse;
    };

    // The seven calendar days ending at the last reading's date. Day 1 is
    // left out, as home-monitoring protocols ask: the figures are those of
    // days 2 to 7, which count when at least 4 of them have readings.
    struct HomeWeek {
        static constexpr int DaysNeeded = 4;
        QDate from; // day 1
        QDate firstAveraged; // day 2
        QDate to; // day 7
        int days = 0; // of days 2 to 7 with readings
        Figures figures;
        bool enoughDays() const { return days >= DaysNeeded; }
        // At or over either threshold of the guideline.
        bool aboveThreshold = false;
    };

    static BloodPressureStatistics of(
        const QList<Reading>& rows, const BloodPressureGuideline& guideline);

    // The rounding of every average shown.
    static int rounded(double average);

    const BloodPressureGuideline* guideline = nullptr;
    QDate first;
    QDate last;
    Figures all;
    Figures morning;
    Figures evening;
    // Nothing when no reading counts.
    std::optional<HomeWeek> homeWeek;
    // One count per category of the guideline, in its order.
    QList<int> categoryCounts;
    // Counted apart, besides their grade (ESH only).
    int isolatedSystolic = 0;
    int isolatedDiastolic = 0;
};
