#pragma once

#include "weight/WeighIn.h"

#include <QDate>
#include <QList>

#include <optional>

// The smoothed weight under the day-to-day noise: over the weigh-ins in date
// order, each trend value moves a tenth of the way from the one before
// towards the day's weight. Rows without a date or without a number do not
// take part; weigh-ins on one date keep their log order.
class WeightTrend
{
public:
    static constexpr double Smoothing = 0.1;
    // The rate is taken over the trend of the last four weeks.
    static constexpr int RateWindowDays = 28;

    struct Point {
        int row = 0; // index into the log's rows (0 is grid row 1)
        QDate date;
        double weight = 0;
        double trend = 0;
        bool operator==(const Point&) const = default;
    };

    explicit WeightTrend(const QList<WeighIn>& rows);

    // In date order.
    const QList<Point>& points() const { return m_points; }
    bool isEmpty() const { return m_points.isEmpty(); }
    std::optional<Point> first() const;
    std::optional<Point> last() const;

    // The trend after the weigh-in of this log row, if it took part.
    std::optional<double> trendOfRow(int row) const;

    // The slope per day of the least-squares line through the trend values
    // dated within the RateWindowDays that end on the last weigh-in's date;
    // nothing unless at least two of them lie on different dates.
    std::optional<double> slopePerDay() const;
    std::optional<double> weeklyRate() const;

private:
    QList<Point> m_points;
};
