#include "weight/WeightGoalProjection.h"

#include "storage/NumberText.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

WeightGoalProjection WeightGoalProjection::project(
    const WeightTrend& trend, const QString& goalWeight, const QDate& today)
{
    WeightGoalProjection projection;
    const double goal = NumberText::leadingNumber(goalWeight.trimmed());
    if (goal <= 0)
        return projection;
    const std::optional<WeightTrend::Point> first = trend.first();
    const std::optional<WeightTrend::Point> last = trend.last();
    projection.m_state = State::NotApproaching;
    if (!first || !last)
        return projection;

    const bool losing = first->trend >= goal;
    if (losing ? last->weight <= goal : last->weight >= goal) {
        projection.m_state = State::Reached;
        return projection;
    }
    const std::optional<double> slope = trend.slopePerDay();
    if (!slope || (losing ? *slope >= 0 : *slope <= 0))
        return projection;
    // The trend is a long chain of sums: a quotient a hair above a whole
    // day is that day, not the next. A trend already past the goal while
    // the last weigh-in is not has its date on the last weigh-in's.
    const double days = std::max(0.0, std::ceil((goal - *trend.lastTrend()) / *slope - 1e-6));
    if (days > double(HorizonDays))
        return projection;
    projection.m_date = last->date.addDays(qint64(days));
    projection.m_state = projection.m_date > today ? State::Expected : State::DatePassed;
    return projection;
}

QString WeightGoalProjection::text() const
{
    return expected() ? QStringLiteral("Goal expected about %1").arg(dateText(m_date)) : QString();
}

QString WeightGoalProjection::stateName() const
{
    switch (m_state) {
    case State::NoGoal:
        return QStringLiteral("no_goal");
    case State::Reached:
        return QStringLiteral("reached");
    case State::Expected:
        return QStringLiteral("expected");
    case State::DatePassed:
        return QStringLiteral("date_passed");
    case State::NotApproaching:
        break;
    }
    return QStringLiteral("not_approaching");
}

QString WeightGoalProjection::dateText(const QDate& date)
{
    return QLocale(QLocale::English, QLocale::UnitedStates)
        .toString(date, QStringLiteral("MMMM d, yyyy"));
}
