#include "WithingsCsvReader.h"

#include "SourceCsv.h"
#include "SourceValues.h"

namespace {

std::optional<SourceValues::LocalTime> readDate(
    const CsvReader::Record& row, int column, SourceLog& log)
{
    const QString text = row.fields.value(column).trimmed();
    const std::optional<SourceValues::LocalTime> when = SourceValues::localTime(text,
        { QStringLiteral("yyyy-MM-dd") }, { QStringLiteral("HH:mm:ss"), QStringLiteral("HH:mm") });
    if (!when)
        log.refused.append({ row.line,
            QStringLiteral("\"%1\" is not a date and time such as 2023-01-15 07:30:12")
                .arg(text) });
    return when;
}

// A measurement cell: nothing, with the line refused, when it is not a
// number; an empty cell is refused unless it may be missing.
bool readNumber(const CsvReader::Record& row, int column, const QString& what, bool mayBeEmpty,
    std::optional<double>& value, SourceLog& log)
{
    const QString text = row.fields.value(column).trimmed();
    if (text.isEmpty() && mayBeEmpty)
        return true;
    value = SourceValues::number(text);
    if (value)
        return true;
    log.refused.append({ row.line,
        text.isEmpty() ? QStringLiteral("the %1 is empty").arg(what)
                       : QStringLiteral("the %1 \"%2\" is not a number").arg(what, text) });
    return false;
}

} // namespace

SourceLog WithingsCsvReader::readWeight(const QByteArray& bytes)
{
    using Unit = WeightPersonSettings::Unit;
    SourceLog log;
    const std::optional<SourceCsv> csv = SourceCsv::read(bytes, log);
    if (!csv)
        return log;
    const int dateColumn = csv->column({ QStringLiteral("date") }, log);
    const int kilograms = csv->optionalColumn({ QStringLiteral("weight (kg)") });
    const int pounds = csv->optionalColumn({ QStringLiteral("weight (lb)") });
    if (!log.failed() && kilograms < 0 && pounds < 0)
        log.error = QStringLiteral("line %1: the header has no \"Weight (kg)\" column")
                        .arg(csv->headerLine);
    if (log.failed())
        return log;
    const int weightColumn = kilograms >= 0 ? kilograms : pounds;
    const Unit unit = kilograms >= 0 ? Unit::Kilograms : Unit::Pounds;
    for (const CsvReader::Record& row : csv->rows) {
        const std::optional<SourceValues::LocalTime> when = readDate(row, dateColumn, log);
        if (!when)
            continue;
        std::optional<double> weight;
        if (!readNumber(row, weightColumn, QStringLiteral("weight"), false, weight, log))
            continue;
        log.weighIns.append({ row.line, when->date, when->time, *weight, unit });
    }
    return log;
}

SourceLog WithingsCsvReader::readBloodPressure(const QByteArray& bytes)
{
    SourceLog log;
    const std::optional<SourceCsv> csv = SourceCsv::read(bytes, log);
    if (!csv)
        return log;
    const int dateColumn = csv->column({ QStringLiteral("date") }, log);
    const int pulseColumn = csv->column({ QStringLiteral("heart rate") }, log);
    const int systolicColumn = csv->column({ QStringLiteral("systolic") }, log);
    const int diastolicColumn = csv->column({ QStringLiteral("diastolic") }, log);
    if (log.failed())
        return log;
    for (const CsvReader::Record& row : csv->rows) {
        const std::optional<SourceValues::LocalTime> when = readDate(row, dateColumn, log);
        if (!when)
            continue;
        std::optional<double> systolic;
        std::optional<double> diastolic;
        std::optional<double> pulse;
        if (!readNumber(
                row, systolicColumn, QStringLiteral("systolic pressure"), false, systolic, log)
            || !readNumber(
                row, diastolicColumn, QStringLiteral("diastolic pressure"), false, diastolic, log)
            || !readNumber(row, pulseColumn, QStringLiteral("heart rate"), true, pulse, log))
            continue;
        log.readings.append({ row.line, when->date, when->time, *systolic, *diastolic, pulse });
    }
    return log;
}
