#include "WithingsCsvReader.h"

#include "SourceCsv.h"
#include "SourceValues.h"
#include "WithingsHeadings.h"

namespace {

const QString DateExpected = QStringLiteral("a date and time such as 2023-01-15 07:30:12");

std::optional<SourceValues::LocalTime> readDate(
    const SourceCsv& csv, const CsvReader::Record& row, int column, SourceLog& log)
{
    const std::optional<SourceValues::LocalTime> when
        = SourceValues::localTime(SourceCsv::cell(row, column), { QStringLiteral("yyyy-MM-dd") },
            { QStringLiteral("HH:mm:ss"), QStringLiteral("HH:mm") });
    if (!when)
        csv.refuse(log, row, column, DateExpected);
    return when;
}

// A measurement cell: nothing, with the line refused, when it is not a
// number; an empty cell is refused unless it may be missing.
bool readNumber(const SourceCsv& csv, const CsvReader::Record& row, int column, bool mayBeEmpty,
    std::optional<double>& value, SourceLog& log)
{
    const QString text = SourceCsv::cell(row, column);
    if (text.isEmpty() && mayBeEmpty)
        return true;
    value = SourceValues::number(text);
    if (value)
        return true;
    csv.refuse(log, row, column, QStringLiteral("a number"));
    return false;
}

// A line without the value being imported: a pulse taken alone, a
// comment, a stray line after the table.
void skipRow(
    const SourceCsv& csv, const CsvReader::Record& row, const QString& kind, SourceLog& log)
{
    log.skip(csv.isStray(row) ? QStringLiteral("lines that are not rows of the table") : kind);
}

} // namespace

SourceLog WithingsCsvReader::readWeight(const QByteArray& bytes)
{
    using Unit = WeightPersonSettings::Unit;
    SourceLog log;
    const std::optional<SourceCsv> csv = SourceCsv::read(bytes, log);
    if (!csv)
        return log;
    const std::optional<WithingsHeadings::Language> language
        = WithingsHeadings::weightFile(csv->headings);
    if (!language) {
        log.error = QStringLiteral("line %1: the header has no \"Date\" and \"Weight (kg)\" "
                                   "columns in any language the app writes")
                        .arg(csv->headerLine);
        return log;
    }
    const int dateColumn = csv->column(language->date, log);
    const int kilograms = csv->optionalColumn(language->kilograms);
    const int weightColumn = kilograms >= 0 ? kilograms : csv->optionalColumn(language->pounds);
    const Unit unit = kilograms >= 0 ? Unit::Kilograms : Unit::Pounds;
    for (const CsvReader::Record& row : csv->rows) {
        if (SourceCsv::cell(row, weightColumn).isEmpty()) {
            skipRow(*csv, row, QStringLiteral("rows without a weight"), log);
            continue;
        }
        const std::optional<SourceValues::LocalTime> when = readDate(*csv, row, dateColumn, log);
        if (!when)
            continue;
        std::optional<double> weight;
        if (!readNumber(*csv, row, weightColumn, false, weight, log))
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
    const std::optional<WithingsHeadings::Language> language
        = WithingsHeadings::bloodPressureFile(csv->headings);
    if (!language) {
        log.error = QStringLiteral("line %1: the header has no \"Date\", \"Systolic\" and "
                                   "\"Diastolic\" columns in any language the app writes")
                        .arg(csv->headerLine);
        return log;
    }
    const int dateColumn = csv->column(language->date, log);
    const int pulseColumn = csv->optionalColumn(language->heartRate);
    const int systolicColumn = csv->column(language->systolic, log);
    const int diastolicColumn = csv->column(language->diastolic, log);
    for (const CsvReader::Record& row : csv->rows) {
        if (SourceCsv::cell(row, systolicColumn).isEmpty()
            && SourceCsv::cell(row, diastolicColumn).isEmpty()) {
            skipRow(*csv, row, QStringLiteral("rows without a blood pressure"), log);
            continue;
        }
        const std::optional<SourceValues::LocalTime> when = readDate(*csv, row, dateColumn, log);
        if (!when)
            continue;
        std::optional<double> systolic;
        std::optional<double> diastolic;
        std::optional<double> pulse;
        if (!readNumber(*csv, row, systolicColumn, false, systolic, log)
            || !readNumber(*csv, row, diastolicColumn, false, diastolic, log)
            || !readNumber(*csv, row, pulseColumn, true, pulse, log))
            continue;
        log.readings.append({ row.line, when->date, when->time, *systolic, *diastolic, pulse });
    }
    return log;
}
