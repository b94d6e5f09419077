#pragma once

#include <QString>
#include <QTime>

#include <optional>

// The part of the day a reading was taken in, by its stored time ("7:05 AM"):
// from 4:00 AM to 11:59 AM it is a morning reading, from 6:00 PM to 11:59 PM
// an evening one, as home-monitoring protocols pair them.
class DayPeriod
{
public:
    enum Period { Morning, Evening, Other };

    // "h:mm AM" or "h:mm PM", hours 1 to 12; nothing for any other text.
    static std::optional<QTime> parseTime(const QString& text);
    static Period of(const QTime& time);
    // Other for a time that cannot be read.
    static Period of(const QString& timeText);
};
