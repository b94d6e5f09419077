#include "weight/WeightTrend.h"

#include "storage/NumberText.h"
#include "storage/StoredDate.h"

#include <algorithm>

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
    for (qsizetype i = 0; i < m_points.size(); ++i) {
        Point& point = m_points[i];
        if (i == 0)
            point.trend = point.weight;
        else {
            const double previous = m_points[i - 1].trend;
            point.trend = previous + Smoothing * (point.weight - previous);
        }
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
    if (m_points.isEmpty())
        return std::nullopt;
    const QDate end = m_points.last().date;
    const QDate start = end.addDays(-(RateWindowDays - 1));
    QList<const Point*> window;
    for (const Point& point : m_points) {
        if (point.date >= start)
            window.append(&point);
    }
    // Days are counted back from the last date, which keeps the sums small.
    double meanX = 0;
    double meanY = 0;
    for (const Point* point : window) {
        meanX += double(end.daysTo(point->date));
        meanY += point->trend;
    }
    meanX /= double(window.size());
    meanY /= double(window.size());
    double across = 0;
    double spread = 0;
    for (const Point* point : window) {
        const double x = double(end.daysTo(point->date)) - meanX;
        across += x * (point->trend - meanY);
        spread += x * x;
    }
    // All on one date: no line to fit.
    if (spread == 0)
        return std::nullopt;
    return across / spread;
}

std::optional<double> WeightTrend::weeklyRate() const
{
    const std::optional<double> slope = slopePerDay();
    return slope ? std::optional(7 * *slope) : std::nullopt;
}
