#include "bloodpressure/BloodPressureSummaryText.h"

namespace {

QString rounded(const BloodPressureStatistics::Measure& measure)
{
    const std::optional<int> value = measure.rounded();
    return value ? QString::number(*value) : QStringLiteral("-");
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
        QStringLiteral("%1 (%2 on %3)")
            .arg(averages(week.figures), readings(week.figures.readings), days),
        threshold(statistics) };
}
