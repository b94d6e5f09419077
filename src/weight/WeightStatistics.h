#pragma once

#include "storage/WeightPersonSettings.h"
#include "weight/WeighIn.h"
#include "weight/WeightAverages.h"
#include "weight/WeightGoalProjection.h"
#include "weight/WeightTrend.h"
#include "weight/WeightUnits.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The figures of a weigh-in log that the screen, the printed report and the
// command line show alike: the trend, its weekly rate, the goal's projected
// date, the weekly and monthly averages and the body mass index.
class WeightStatistics
{
public:
    // today is the program clock's date: a projected date must lie after it.
    WeightStatistics(const QList<WeighIn>& rows, const QString& goalWeight,
        WeightPersonSettings::Values settings, const QDate& today);

    const WeightTrend& trend() const { return m_trend; }
    const WeightGoalProjection& projection() const { return m_projection; }
    const QList<WeightAverages::Period>& weekly() const { return m_weekly; }
    const QList<WeightAverages::Period>& monthly() const { return m_monthly; }
    const WeightPersonSettings::Values& settings() const { return m_settings; }
    std::optional<double> lastTrend() const;
    std::optional<WeightUnits::BodyMassIndex> bodyMassIndex() const;

    // "Trend Weight: 183.2 lb", with stones when asked for; empty without
    // weigh-ins.
    QString trendText() const;
    // "Weekly rate: -1.2 lb a week", or "Weekly rate: not enough weigh-ins".
    QString rateText() const;
    // "Goal expected about May 14, 2027 (at 0.6 lb a week)", saying the
    // rate the date comes from; empty when no date is expected.
    QString projectionText() const;
    // "BMI 27.3 (Overweight, 25-29.9)", or empty without a height.
    QString bodyMassIndexText() const;

private:
    WeightTrend m_trend;
    WeightGoalProjection m_projection;
    QList<WeightAverages::Period> m_weekly;
    QList<WeightAverages::Period> m_monthly;
    WeightPersonSettings::Values m_settings;
};
