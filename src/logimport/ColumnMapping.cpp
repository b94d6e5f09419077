#include "ColumnMapping.h"

#include <QRegularExpression>

#include <algorithm>

namespace {

using Field = ColumnMapping::Field;

struct Named {
    Field field;
    const char* name;
    // Headings taken for the field, in lower case, best first; a heading
    // may carry a unit in brackets after them ("Weight (kg)").
    QStringList usual;
};

const QList<Named>& named()
{
    static const QList<Named> all {
        { Field::Date, "date",
            { "date", "day", "datetime", "date time", "date/time", "timestamp", "measured" } },
        { Field::Time, "time", { "time", "time of day" } },
        { Field::Weight, "weight", { "weight", "body weight", "mass", "kg", "lb", "lbs" } },
        { Field::Systolic, "systolic", { "systolic", "sys", "systole", "upper" } },
        { Field::Diastolic, "diastolic", { "diastolic", "dia", "diastole", "lower" } },
        { Field::Pulse, "pulse", { "pulse", "heart rate", "heartrate", "hr", "bpm" } },
    };
    return all;
}

const char* const OrderNames[] = { "ymd", "dmy", "mdy" };

// A heading as it is compared: trimmed, in lower case, without a unit in
// brackets.
QString bare(const QString& heading)
{
    static const QRegularExpression unit(QStringLiteral("\\s*[(\\[][^)\\]]*[)\\]]\\s*$"));
    return heading.trimmed().toLower().remove(unit);
}

} // namespace

QList<ColumnMapping::Field> ColumnMapping::fields()
{
    QList<Field> all;
    for (const Named& each : named())
        all.append(each.field);
    return all;
}

QString ColumnMapping::fieldName(Field field)
{
    for (const Named& each : named())
        if (each.field == field)
            return QString::fromLatin1(each.name);
    return {};
}

std::optional<ColumnMapping::Field> ColumnMapping::fieldNamed(const QString& name)
{
    for (const Named& each : named())
        if (name.trimmed().compare(QLatin1String(each.name), Qt::CaseInsensitive) == 0)
            return each.field;
    return std::nullopt;
}

QString ColumnMapping::dateOrderName(DateOrder order)
{
    return QString::fromLatin1(OrderNames[int(order)]);
}

std::optional<ColumnMapping::DateOrder> ColumnMapping::dateOrderNamed(const QString& name)
{
    for (int i = 0; i < 3; ++i)
        if (name.trimmed().compare(QLatin1String(OrderNames[i]), Qt::CaseInsensitive) == 0)
            return DateOrder(i);
    return std::nullopt;
}

ColumnMapping ColumnMapping::guess(const QStringList& headings)
{
    ColumnMapping mapping;
    QStringList taken;
    for (const Named& each : named()) {
        for (const QString& usual : each.usual) {
            const auto match = std::find_if(headings.begin(), headings.end(),
                [&](const QString& heading) { return bare(heading) == usual; });
            if (match != headings.end() && !taken.contains(*match)) {
                mapping.headings.insert(each.field, *match);
                taken.append(*match);
                break;
            }
        }
    }
    if (const QString weight = mapping.headings.value(Field::Weight).toLower();
        weight.contains(QLatin1String("kg")))
        mapping.unit = WeightPersonSettings::Unit::Kilograms;
    else if (weight.contains(QLatin1String("lb")))
        mapping.unit = WeightPersonSettings::Unit::Pounds;
    return mapping;
}
