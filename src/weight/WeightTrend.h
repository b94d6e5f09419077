#pragma once

#include "weight/WeighIn.h"

#include <QDate>
#include <QList>

#include <optional>

// The smoothed weight under the day-to-day noise. It follows days, not
// weigh-ins: each date with weigh-ins counts once, at the mean of that
// date's weigh-ins; the first date's mean starts the trend, and each later
// date pulls it towards its mean by 1 - 0.9^d, d being the days since the
// date before. A daily weigher's trend moves a tenth of the way each day; a
// weekly weigher's moves about half the way each week, so it keeps up with
// the same fall in weight. Rows without a date or without a number take no
// part.
class WeightTrend
{
public:
    // What one day without a weigh-in leaves of the distance between the
    // trend and the weight.
    static constexpr double DailyKeep = 0.9;
    // The rate is taken over the trend of the last four weeks.
    static constexpr int RateWindowDays = 28;

    // A weigh-in that took part, with the trend of its date.
    struct Point {
        int row = 0; // index into the log's rows (0 is grid row 1)
        QDate date;
        double weight = 0;
        double trend = 0;
        bool operator==(const Point&) const = default;
    };

    // A date with weigh-ins: their mean and the trend after it.
    struct Day {
        QDate date;
        double mean = 0;
        int weighIns = 0;
        double trend = 0;
        bool operator==(const Day&) const = default;
    };

    explicit WeightTrend(const QList<WeighIn>& rows);

    // The weigh-ins in date order; those of one date keep their log order.
    const QList<Point>& points() const { return m_points; }
    const QList<Day>& days() const { return m_days; }
    bool isEmpty() const { return m_points.isEmpty(); }
    std::optional<Point> first() const;
    // The last weigh-in of the last date.
    std::optional<Point> last() const;
    // The trend after the last date.
    std::optional<double> lastTrend() const;

    // The trend of the date of this log row, if the row took part.
    std::optional<double> trendOfRow(int row) const;

    // The slope per day of the least-squares line through the trend of each
    // date within the RateWindowDays that end on the last date; nothing
    // unless at least two dates lie within them.
    std::optional<double> slopePerDay() const;
    std::optional<double> weeklyRate() const;

private:
    QList<Point> m_points;
    QList<Day> m_days;
};
