#include "weight/WeightGoalProjection.h"

#include "storage/NumberText.h"

#include <QLocale>

#include <cmath>

WeightGoalProjection WeightGoalProjection::project(
    const WeightTrend& trend, const QString& goalWeight)
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
    const double lastTrend = last->trend;
    if (losing ? lastTrend <= goal : lastTrend >= goal) {
        projection.m_state = State::Reached;
        return projection;
    }
    const std::optional<double> slope = trend.slopePerDay();
    if (!slope || (losing ? *slope >= 0 : *slope <= 0))
        return projection;
    // The trend is a long chain of sums: a quotient a hair above a whole
    // day is that day, not the next.
    const double days = std::ceil((goal - lastTrend) / *slope - 1e-6);
    if (days > double(HorizonDays))
        return projection;
    projection.m_state = State::Expected;
    projection.m_date = last->date.addDays(qint64(days));
    return projection;
}

QString WeightGoalProjection::text() const
{
    switch (m_state) {
    case State::NoGoal:
        return QStringLiteral("No goal weight set");
    case State::Expected:
        return QStringLiteral("Goal expected about %1").arg(dateText(m_date));
    case State::Reached:
    case State::NotApproaching:
        break;
    }
    return QStringLiteral("Not approaching the goal");
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
