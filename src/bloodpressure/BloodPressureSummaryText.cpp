#include "bloodpressure/BloodPressureSummaryText.h"

#include <cmath>

namespace {

QString rounded(const BloodPressureStatistics::Measure& measure)
{
    const std::optional<int> value = measure.rounded();
    return value ? QString::number(*value) : QStringLiteral("-");
}

// One decimal, rounded as the screen rounds; where that would reach the
// threshold the value stays below, two decimals cut short, so that the
// figure shown and the word beside it agree.
QString compared(const std::optional<double>& value, int threshold)
{
    if (!value)
        return QStringLiteral("-");
    const double shown = std::floor(*value * 10 + 0.5) / 10;
    // The hair added keeps 84.95, held as 84.94999..., from showing 84.94.
    if (*value < threshold && shown >= threshold)
        return QString::number(std::floor(*value * 100 + 1e-7) / 100, 'f', 2);
    return QString::number(shown, 'f', 1);
}

} // namespace

QString BloodPressureSummaryText::averages(const BloodPressureStatistics::Figures& figures)
{
    return QStringLiteral("%1/%2, pulse %3")
        .arg(rounded(figures.systolic), rounded(figures.diastolic), rounded(figures.pulse));
}

QString BloodPressureSummaryText::readings(int count)
{
    return count == 1 ? QStringLiteral("1 reading") : QStringLiteral("%1 readings").arg(count);
}

QString BloodPressureSummaryText::period(
    const QString& caption, const BloodPressureStatistics::Figures& figures)
{
    return QStringLiteral("%1: %2 (%3)")
        .arg(caption, averages(figures), readings(figures.readings));
}

QString BloodPressureSummaryText::morningAndEvening(const BloodPressureStatistics& statistics)
{
    if (statistics.morning.readings == 0 || statistics.evening.readings == 0)
        return {};
    return period(QStringLiteral("Morning"), statistics.morning) + QStringLiteral("     ")
        + period(QStringLiteral("Evening"), statistics.evening);
}

QString BloodPressureSummaryText::date(const QDate& date)
{
    return date.toString(QStringLiteral("yyyy-MM-dd"));
}

QString BloodPressureSummaryText::threshold(const BloodPressureStatistics& statistics)
{
    const BloodPressureGuideline& guideline = *statistics.guideline;
    return QStringLiteral("%1 the home threshold of %2/%3 (%4)")
        .arg(
            statistics.homeWeek->aboveThreshold ? QStringLiteral("Above") : QStringLiteral("Below"))
        .arg(guideline.homeSystolicThreshold())
        .arg(guideline.homeDiastolicThreshold())
        .arg(guideline.name());
}

QString BloodPressureSummaryText::homeWeekAverages(const BloodPressureStatistics& statistics)
{
    const BloodPressureStatistics::Figures& figures = statistics.homeWeek->figures;
    const BloodPressureGuideline& guideline = *statistics.guideline;
    return compared(figures.systolic.average(), guideline.homeSystolicThreshold()) + u'/'
        + compared(figures.diastolic.average(), guideline.homeDiastolicThreshold());
}

QStringList BloodPressureSummaryText::homeWeek(const BloodPressureStatistics& statistics)
{
    if (!statistics.homeWeek)
        return {};
    const BloodPressureStatistics::HomeWeek& week = *statistics.homeWeek;
    const QString span
        = QStringLiteral("Week of %1 to %2, day 1 left out: %3 to %4")
              .arg(date(week.from), date(week.to), date(week.firstAveraged), date(week.to));
    const QString days = QStringLiteral("%1 of 6 days with readings").arg(week.days);
    if (!week.enoughDays())
        return { span,
            QStringLiteral("%1 (%2, %3 needed)")
                .arg(NotEnoughDays, days)
                .arg(BloodPressureStatistics::HomeWeek::DaysNeeded) };
    return { span,
        QStringLiteral("%1, pulse %2 (%3 on %4)")
            .arg(homeWeekAverages(statistics), rounded(week.figures.pulse),
                readings(week.figures.readings), days),
        threshold(statistics) };
}
