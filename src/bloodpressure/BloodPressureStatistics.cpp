#include "bloodpressure/BloodPressureStatistics.h"

#include "bloodpressure/DayPeriod.h"
#include "storage/NumberText.h"
#include "storage/StoredDate.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace {

// Values below 20 cannot be a pressure or a pulse: the screen's averages
// leave them out as typing slips, and so does every figure here.
constexpr double SmallestCounted = 20;

std::optional<double> counted(const QString& cell)
{
    const double value = NumberText::leadingNumber(cell.trimmed());
    return value >= SmallestCounted ? std::optional(value) : std::nullopt;
}

struct CountedReading {
    QDate date;
    DayPeriod::Period period;
    std::optional<double> systolic;
    std::optional<double> diastolic;
    std::optional<double> pulse;
};

void add(BloodPressureStatistics::Figures& figures, const CountedReading& reading)
{
    ++figures.readings;
    if (reading.systolic)
        figures.systolic.add(*reading.systolic);
    if (reading.diastolic)
        figures.diastolic.add(*reading.diastolic);
    if (reading.pulse)
        figures.pulse.add(*reading.pulse);
}

} // namespace

void BloodPressureStatistics::Measure::add(double value)
{
    m_minimum = m_count == 0 ? value : std::min(m_minimum, value);
    m_maximum = m_count == 0 ? value : std::max(m_maximum, value);
    m_sum += value;
    ++m_count;
}

std::optional<double> BloodPressureStatistics::Measure::minimum() const
{
    return m_count ? std::optional(m_minimum) : std::nullopt;
}

std::optional<double> BloodPressureStatistics::Measure::maximum() const
{
    return m_count ? std::optional(m_maximum) : std::nullopt;
}

std::optional<double> BloodPressureStatistics::Measure::average() const
{
    return m_count ? std::optional(m_sum / m_count) : std::nullopt;
}

std::optional<int> BloodPressureStatistics::Measure::rounded() const
{
    const std::optional<double> mean = average();
    return mean ? std::optional(BloodPressureStatistics::rounded(*mean)) : std::nullopt;
}

int BloodPressureStatistics::rounded(double average)
{
    return static_cast<int>(std::floor(average + 0.5));
}

BloodPressureStatistics BloodPressureStatistics::of(
    const QList<Reading>& rows, const BloodPressureGuideline& guideline)
{
    QList<CountedReading> readings;
    for (const Reading& row : rows) {
        const QDate date = StoredDate::parse(row.date.trimmed());
        CountedReading reading { date, DayPeriod::of(row.time), counted(row.systolic),
            counted(row.diastolic), counted(row.pulse) };
        if (date.isValid() && (reading.systolic || reading.diastolic || reading.pulse))
            readings.append(reading);
    }

    BloodPressureStatistics statistics;
    statistics.guideline = &guideline;
    statistics.categoryCounts = QList<int>(guideline.categories().size(), 0);
    for (const CountedReading& reading : readings) {
        if (!statistics.first.isValid() || reading.date < statistics.first)
            statistics.first = reading.date;
        if (!statistics.last.isValid() || reading.date > statistics.last)
            statistics.last = reading.date;
        add(statistics.all, reading);
        if (reading.period == DayPeriod::Morning)
            add(statistics.morning, reading);
        else if (reading.period == DayPeriod::Evening)
            add(statistics.evening, reading);
        if (const std::optional<int> category
            = guideline.ofReading(reading.systolic, reading.diastolic))
            ++statistics.categoryCounts[*category];
        if (reading.systolic && reading.diastolic) {
            if (guideline.isIsolatedSystolic(*reading.systolic, *reading.diastolic))
                ++statistics.isolatedSystolic;
            if (guideline.isIsolatedDiastolic(*reading.systolic, *reading.diastolic))
                ++statistics.isolatedDiastolic;
        }
    }
    if (readings.isEmpty())
        return statistics;

    // Logs need not be in date order: the week ends at the latest date.
    HomeWeek week;
    week.to = statistics.last;
    week.from = week.to.addDays(-6);
    week.firstAveraged = week.to.addDays(-5);
    std::set<QDate> days;
    for (const CountedReading& reading : readings) {
        if (reading.date >= week.firstAveraged && reading.date <= week.to) {
            add(week.figures, reading);
            days.insert(reading.date);
        }
    }
    week.days = int(days.size());
    const std::optional<double> systolic = week.figures.systolic.average();
    const std::optional<double> diastolic = week.figures.diastolic.average();
    week.aboveThreshold = (systolic && *systolic >= guideline.homeSystolicThreshold())
        || (diastolic && *diastolic >= guideline.homeDiastolicThreshold());
    statistics.homeWeek = week;
    return statistics;
}
