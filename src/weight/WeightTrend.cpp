#include "weight/WeightTrend.h"

#include "storage/NumberText.h"
#include "storage/StoredDate.h"

#include <algorithm>
#include <cmath>

WeightTrend::WeightTrend(const QList<WeighIn>& rows)
{
    for (qsizetype r = 0; r < rows.size(); ++r) {
        const QDate date = StoredDate::parse(rows[r].date.trimmed());
        const std::optional<double> weight = NumberText::toNumber(rows[r].weight);
        if (date.isValid() && weight)
            m_points.append({ int(r), date, *weight, 0 });
    }
    // Stable, so that two weigh-ins of one day keep the order they were
    // entered in.
    std::stable_sort(m_points.begin(), m_points.end(),
        [](const Point& left, const Point& right) { return left.date < right.date; });

    for (const Point& point : std::as_const(m_points)) {
        if (m_days.isEmpty() || m_days.last().date != point.date)
            m_days.append({ point.date, 0, 0, 0 });
        Day& day = m_days.last();
        // Summed here, divided below.
        day.mean += point.weight;
        ++day.weighIns;
    }
    for (qsizetype i = 0; i < m_days.size(); ++i) {
        Day& day = m_days[i];
        day.mean /= day.weighIns;
        if (i == 0) {
            day.trend = day.mean;
            continue;
        }
        const Day& before = m_days[i - 1];
        const double pull = 1 - std::pow(DailyKeep, double(before.date.daysTo(day.date)));
        day.trend = before.trend + pull * (day.mean - before.trend);
    }

    qsizetype day = 0;
    for (Point& point : m_points) {
        while (m_days[day].date != point.date)
            ++day;
        point.trend = m_days[day].trend;
    }
}

std::optional<WeightTrend::Point> WeightTrend::first() const
{
    return m_points.isEmpty() ? std::nullopt : std::optional(m_points.first());
}

std::optional<WeightTrend::Point> WeightTrend::last() const
{
    return m_points.isEmpty() ? std::nullopt : std::optional(m_points.last());
}

std::optional<double> WeightTrend::lastTrend() const
{
    return m_days.isEmpty() ? std::nullopt : std::optional(m_days.last().trend);
}

std::optional<double> WeightTrend::trendOfRow(int row) const
{
    for (const Point& point : m_points) {
        if (point.row == row)
            return point.trend;
    }
    return std::nullopt;
}

std::optional<double> WeightTrend::slopePerDay() const
{
    if (m_days.isEmpty())
        return std::nullopt;
    const QDate end = m_days.last().date;
    const QDate start = end.addDays(-(RateWindowDays - 1));
    QList<const Day*> window;
    for (const Day& day : m_days) {
        if (day.date >= start)
            window.append(&day);
    }
    // Days are counted back from the last date, which keeps the sums small.
    double meanX = 0;
    double meanY = 0;
    for (const Day* day : window) {
        meanX += double(end.daysTo(day->date));
        meanY += day->trend;
    }
    meanX /= double(window.size());
    meanY /= double(window.size());
    double across = 0;
    double spread = 0;
    for (const Day* day : window) {
        const double x = double(end.daysTo(day->date)) - meanX;
        across += x * (day->trend - meanY);
        spread += x * x;
    }
    // A single date: no line to fit.
    if (spread == 0)
        return std::nullopt;
    return across / spread;
}

std::optional<double> WeightTrend::weeklyRate() const
{
    const std::optional<double> slope = slopePerDay();
    return slope ? std::optional(7 * *slope) : std::nullopt;
}
