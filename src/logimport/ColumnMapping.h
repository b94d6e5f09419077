#pragma once

#include "storage/WeightPersonSettings.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <optional>

// Which column of a plain CSV holds each field of a weigh-in or a reading,
// named by its heading, how its dates are written and, for weights, their
// unit.
struct ColumnMapping {
    enum class Field { Date, Time, Weight, Systolic, Diastolic, Pulse };
    enum class DateOrder { YearMonthDay, DayMonthYear, MonthDayYear };

    // A field without a heading is in no column.
    QMap<Field, QString> headings;
    DateOrder dateOrder = DateOrder::YearMonthDay;
    // None: the unit of the person the weights go to.
    std::optional<WeightPersonSettings::Unit> unit;

    bool operator==(const ColumnMapping&) const = default;

    static QList<Field> fields();
    // "date", "time", "weight", "systolic", "diastolic", "pulse".
    static QString fieldName(Field field);
    static std::optional<Field> fieldNamed(const QString& name);
    // "ymd", "dmy", "mdy".
    static QString dateOrderName(DateOrder order);
    static std::optional<DateOrder> dateOrderNamed(const QString& name);

    // The obvious heading for each field ("Date", "Weight (kg)", "Sys",
    // "Heart rate"...), and the unit a weight heading names.
    static ColumnMapping guess(const QStringList& headings);
};
