#include "weight/WeightAverages.h"

namespace {

// The points are in date order, so each period's weigh-ins follow each other.
template <typename LabelOf>
QList<WeightAverages::Period> average(const WeightTrend& trend, LabelOf labelOf)
{
    QList<WeightAverages::Period> periods;
    double sum = 0;
    for (const WeightTrend::Point& point : trend.points()) {
        const QString label = labelOf(point.date);
        if (periods.isEmpty() || periods.last().label != label) {
            if (!periods.isEmpty())
                periods.last().average = sum / periods.last().weighIns;
            periods.append({ label, 0, 0, std::nullopt });
            sum = 0;
        }
        ++periods.last().weighIns;
        sum += point.weight;
    }
    if (!periods.isEmpty())
        periods.last().average = sum / periods.last().weighIns;
    for (qsizetype i = 1; i < periods.size(); ++i)
        periods[i].change = periods[i].average - periods[i - 1].average;
    return periods;
}

} // namespace

QList<WeightAverages::Period> WeightAverages::weekly(const WeightTrend& trend)
{
    return average(trend, &WeightAverages::weekLabel);
}

QList<WeightAverages::Period> WeightAverages::monthly(const WeightTrend& trend)
{
    return average(trend, &WeightAverages::monthLabel);
}

QString WeightAverages::weekLabel(const QDate& date)
{
    int year = 0;
    const int week = date.weekNumber(&year);
    return QStringLiteral("%1-W%2")
        .arg(year, 4, 10, QLatin1Char('0'))
        .arg(week, 2, 10, QLatin1Char('0'));
}

QString WeightAverages::monthLabel(const QDate& date)
{
    return QStringLiteral("%1-%2")
        .arg(date.year(), 4, 10, QLatin1Char('0'))
        .arg(date.month(), 2, 10, QLatin1Char('0'));
}
