#include "MappedCsvReader.h"

#include "SourceCsv.h"
#include "SourceValues.h"

#include <QRegularExpression>

namespace {

using Field = ColumnMapping::Field;
using Order = ColumnMapping::DateOrder;

QString quoted(const QString& text)
{
    return SourceValues::quoted(text);
}

int fullYear(const QString& digits)
{
    const int year = digits.toInt();
    if (digits.size() > 2)
        return year;
    return year < 30 ? 2000 + year : 1900 + year;
}

QString orderText(Order order)
{
    switch (order) {
    case Order::DayMonthYear:
        return QStringLiteral("day-month-year");
    case Order::MonthDayYear:
        return QStringLiteral("month-day-year");
    case Order::YearMonthDay:
        break;
    }
    return QStringLiteral("year-month-day");
}

} // namespace

QTime MappedCsvReader::time(const QString& text)
{
    return SourceValues::timeOfDay(text);
}

std::optional<MappedCsvReader::DateTime> MappedCsvReader::dateTime(const QString& text, Order order)
{
    static const QRegularExpression pattern(
        QStringLiteral("^(\\d{1,4})([-./])(\\d{1,2})\\2(\\d{1,4})(?:(?:\\s+|T)(.+))?$"));
    const QRegularExpressionMatch match = pattern.match(text.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    const QString parts[3] = { match.captured(1), match.captured(3), match.captured(4) };
    QString year = parts[2];
    QString month = parts[1];
    QString day = parts[0];
    if (order == Order::YearMonthDay) {
        year = parts[0];
        day = parts[2];
    } else if (order == Order::MonthDayYear) {
        month = parts[0];
        day = parts[1];
    }
    if (year.size() == 3 || day.size() > 2)
        return std::nullopt;
    DateTime read;
    read.date = QDate(fullYear(year), month.toInt(), day.toInt());
    if (!read.date.isValid())
        return std::nullopt;
    if (match.hasCaptured(5)) {
        read.time = time(match.captured(5));
        if (!read.time.isValid())
            return std::nullopt;
    }
    return read;
}

QStringList MappedCsvReader::headings(const QByteArray& bytes)
{
    const std::optional<QList<CsvReader::Record>> records = CsvReader::parse(bytes);
    if (!records)
        return {};
    for (const CsvReader::Record& record : *records) {
        if (record.isBlank())
            continue;
        QStringList cells;
        for (const QString& cell : record.fields)
            cells.append(cell.trimmed());
        return cells;
    }
    return {};
}

SourceLog MappedCsvReader::read(const QByteArray& bytes, const ColumnMapping& mapping, bool weights)
{
    SourceLog log;
    const std::optional<SourceCsv> csv = SourceCsv::read(bytes, log);
    if (!csv)
        return log;
    const QList<Field> needed = weights
        ? QList<Field> { Field::Date, Field::Weight }
        : QList<Field> { Field::Date, Field::Systolic, Field::Diastolic };
    for (Field field : needed) {
        if (mapping.headings.value(field).trimmed().isEmpty()) {
            log.error = QStringLiteral("no column is chosen for the %1")
                            .arg(ColumnMapping::fieldName(field));
            return log;
        }
    }
    QMap<Field, int> columns;
    for (auto chosen = mapping.headings.begin(); chosen != mapping.headings.end(); ++chosen) {
        if (chosen.value().trimmed().isEmpty())
            continue;
        const qsizetype at = csv->names.indexOf(chosen.value().trimmed().toLower());
        if (at < 0) {
            log.error = QStringLiteral("line %1: the header has no column %2 for the %3")
                            .arg(csv->headerLine)
                            .arg(quoted(chosen.value().trimmed()),
                                ColumnMapping::fieldName(chosen.key()));
            return log;
        }
        columns.insert(chosen.key(), int(at));
    }
    log.weightsInPersonsUnit = !mapping.unit;
    for (const CsvReader::Record& record : csv->rows) {
        const auto cell = [&](Field field) {
            return columns.contains(field) ? record.fields.value(columns.value(field)).trimmed()
                                           : QString();
        };
        // A line without the value being imported is of another kind.
        if (weights ? cell(Field::Weight).isEmpty()
                    : cell(Field::Systolic).isEmpty() && cell(Field::Diastolic).isEmpty()) {
            log.skip(csv->isStray(record) ? QStringLiteral("lines that are not rows of the table")
                    : weights             ? QStringLiteral("rows without a weight")
                                          : QStringLiteral("rows without a blood pressure"));
            continue;
        }
        QStringList problems;
        const std::optional<DateTime> when = dateTime(cell(Field::Date), mapping.dateOrder);
        if (!when)
            problems.append(QStringLiteral("the date %1 is not a %2 date")
                                .arg(quoted(cell(Field::Date)), orderText(mapping.dateOrder)));
        QTime time = when ? when->time : QTime();
        if (!cell(Field::Time).isEmpty()) {
            time = MappedCsvReader::time(cell(Field::Time));
            if (!time.isValid())
                problems.append(QStringLiteral("the time %1 is not a time such as \"7:30\" or "
                                               "\"7:30 PM\"")
                                    .arg(quoted(cell(Field::Time))));
        }
        const auto number = [&](Field field) -> std::optional<double> {
            const std::optional<double> value = SourceValues::number(cell(field));
            if (!value)
                problems.append(QStringLiteral("the %1 %2 is not a number")
                                    .arg(ColumnMapping::fieldName(field), quoted(cell(field))));
            return value;
        };
        if (weights) {
            const std::optional<double> weight = number(Field::Weight);
            if (problems.isEmpty())
                log.weighIns.append({ record.line, when->date, time, *weight,
                    mapping.unit.value_or(WeightPersonSettings::Unit::Pounds) });
        } else {
            const std::optional<double> systolic = number(Field::Systolic);
            const std::optional<double> diastolic = number(Field::Diastolic);
            std::optional<double> pulse;
            if (!cell(Field::Pulse).isEmpty())
                pulse = number(Field::Pulse);
            if (problems.isEmpty())
                log.readings.append(
                    { record.line, when->date, time, *systolic, *diastolic, pulse });
        }
        if (!problems.isEmpty())
            log.refused.append({ record.line,
                QStringLiteral("%1; the line reads %2")
                    .arg(problems.join(QStringLiteral("; ")), SourceCsv::lineText(record)) });
    }
    return log;
}
