#pragma once

#include "weight/WeightTrend.h"

#include <QDate>
#include <QString>

// When the trend will reach the goal weight at its present rate.
//
// The goal is read as the goal box's number rule reads it (the number the
// text starts with, so "150-160" is 150); 0 or less is no goal. Whether the
// goal is a loss or a gain follows from where the trend began: above the
// goal it is a loss, and the goal counts as reached once the last weigh-in
// is at or below it; below the goal it is a gain, reached at or above it.
// The date is projected from the trend's last value at its weekly rate, and
// is expected only while the goal is not reached, the rate points towards
// it and the date lies after today: a date already gone by would read as a
// promise broken, and a reached goal needs no date.
class WeightGoalProjection
{
public:
    enum class State { NoGoal, Reached, NotApproaching, DatePassed, Expected };

    // A projection further out than this is no projection: a nearly flat
    // trend would otherwise name a date centuries away.
    static constexpr qint64 HorizonDays = 36500;

    static WeightGoalProjection project(
        const WeightTrend& trend, const QString& goalWeight, const QDate& today);

    State state() const { return m_state; }
    bool expected() const { return m_state == State::Expected; }
    // The projected date while Expected or DatePassed.
    QDate date() const { return m_date; }

    // "Goal expected about March 14, 2027" while Expected; empty otherwise,
    // since no other state has a date worth a line.
    QString text() const;
    // The state in a word for the command line's JSON: "expected",
    // "not_approaching", "reached", "date_passed", "no_goal".
    QString stateName() const;

    // "March 14, 2027", in English whatever the desktop's language.
    static QString dateText(const QDate& date);

private:
    State m_state = State::NoGoal;
    QDate m_date;
};
