#pragma once

#include "storage/WeightPersonSettings.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QTime>

#include <optional>

// The value forms the exports share: numbers written with a decimal point or
// a decimal comma, weights with their unit inside the cell, and the date
// and time forms of each source.
class SourceValues
{
public:
    struct Mass {
        double value = 0;
        WeightPersonSettings::Unit unit = WeightPersonSettings::Unit::Kilograms;
    };

    // "80.4" or "80,4"; nothing for anything else, including an empty text.
    static std::optional<double> number(const QString& text);

    // A mass in the unit named (kg, g, lb, lbs, st), converted to kilograms
    // or pounds; nothing for an unknown unit.
    static std::optional<Mass> mass(double value, const QString& unit);

    // "80.4 kg", "177.2 lbs"; a cell without a unit takes defaultUnit.
    static std::optional<Mass> massCell(const QString& text, const QString& defaultUnit);

    // "2023-01-15 07:30": the date before the first blank and the time
    // after it, each read with the first of its forms that fits. Kept as
    // the wall-clock time written, never as an instant of the machine's
    // time zone, where a time inside a summer-time gap would not exist.
    struct LocalTime {
        QDate date;
        QTime time;
    };
    static std::optional<LocalTime> localTime(
        const QString& text, const QStringList& dateForms, const QStringList& timeForms);

    // The header cells reduced to the names they are looked up by: trimmed
    // and in lower case.
    static QStringList headerNames(const QStringList& header);

    // A line or a value as a message quotes it: in double quotes, cut at
    // QuotedLength characters, so that a line of a hundred megabytes makes
    // a message of one line.
    static constexpr int QuotedLength = 60;
    static QString quoted(const QString& text);

    // A time of day as the exports write it: 07:30, 7:30:15, 20:30:13.974,
    // 7:30 AM, 07:30 pm; invalid for anything else.
    static QTime timeOfDay(const QString& text);
};
