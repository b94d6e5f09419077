#include "bloodpressure/DayPeriod.h"

#include <QRegularExpression>

std::optional<QTime> DayPeriod::parseTime(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,2}):(\\d{2})\\s*([AP])M$"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(text.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    const int hour = match.captured(1).toInt();
    const int minute = match.captured(2).toInt();
    if (hour < 1 || hour > 12 || minute > 59)
        return std::nullopt;
    // 12 AM is midnight, 12 PM noon.
    const bool pm = match.captured(3).compare(QStringLiteral("P"), Qt::CaseInsensitive) == 0;
    return QTime(hour % 12 + (pm ? 12 : 0), minute);
}

DayPeriod::Period DayPeriod::of(const QTime& time)
{
    if (time >= QTime(4, 0) && time < QTime(12, 0))
        return Morning;
    if (time >= QTime(18, 0))
        return Evening;
    return Other;
}

DayPeriod::Period DayPeriod::of(const QString& timeText)
{
    const std::optional<QTime> time = parseTime(timeText);
    return time ? of(*time) : Other;
}
