#include "weight/WeightStatistics.h"

#include <cmath>
#include <utility>

WeightStatistics::WeightStatistics(const QList<WeighIn>& rows, const QString& goalWeight,
    WeightPersonSettings::Values settings, const QDate& today)
    : m_trend(rows)
    , m_projection(WeightGoalProjection::project(m_trend, goalWeight, today))
    , m_weekly(WeightAverages::weekly(m_trend))
    , m_monthly(WeightAverages::monthly(m_trend))
    , m_settings(std::move(settings))
{ }

std::optional<double> WeightStatistics::lastTrend() const
{
    return m_trend.lastTrend();
}

std::optional<WeightUnits::BodyMassIndex> WeightStatistics::bodyMassIndex() const
{
    const std::optional<double> trend = lastTrend();
    return trend ? WeightUnits::bodyMassIndex(*trend, m_settings) : std::nullopt;
}

QString WeightStatistics::trendText() const
{
    const std::optional<double> trend = lastTrend();
    return trend ? QStringLiteral("Trend Weight: ") + WeightUnits::weightText(*trend, m_settings)
                 : QString();
}

QString WeightStatistics::rateText() const
{
    const std::optional<double> rate = m_trend.weeklyRate();
    if (!rate)
        return QStringLiteral("Weekly rate: not enough weigh-ins");
    return QStringLiteral("Weekly rate: %1%2 a week")
        .arg(WeightUnits::changeText(*rate), WeightPersonSettings::unitSuffix(m_settings.unit));
}

QString WeightStatistics::bodyMassIndexText() const
{
    const std::optional<WeightUnits::BodyMassIndex> index = bodyMassIndex();
    return index ? WeightUnits::bodyMassIndexText(*index) : QString();
}

QString WeightStatistics::projectionText() const
{
    const std::optional<double> rate = m_trend.weeklyRate();
    if (!m_projection.expected() || !rate)
        return {};
    // A rate that rounds to nothing still leads to the date: say how small.
    const QString shown = WeightUnits::oneDecimal(std::fabs(*rate));
    // A person without a unit reads the figure bare, as the log shows it.
    return QStringLiteral("%1 (at %2%3 a week)")
        .arg(m_projection.text(), shown == u"0.0" ? QStringLiteral("less than 0.1") : shown,
            WeightPersonSettings::unitSuffix(m_settings.unit));
}
