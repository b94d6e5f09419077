#include "OpenScaleCsvReader.h"

#include "SourceCsv.h"
#include "SourceValues.h"

SourceLog OpenScaleCsvReader::read(const QByteArray& bytes)
{
    SourceLog log;
    const std::optional<SourceCsv> csv = SourceCsv::read(bytes, log);
    if (!csv)
        return log;
    const int dateColumn = csv->column({ QStringLiteral("datetime") }, log);
    const int weightColumn = csv->column({ QStringLiteral("weight") }, log);
    if (log.failed())
        return log;
    for (const CsvReader::Record& row : csv->rows) {
        const QString dateText = row.fields.value(dateColumn).trimmed();
        const QString weightText = row.fields.value(weightColumn).trimmed();
        const std::optional<SourceValues::LocalTime> when = SourceValues::localTime(dateText,
            { QStringLiteral("yyyy-MM-dd"), QStringLiteral("dd.MM.yyyy") },
            { QStringLiteral("HH:mm"), QStringLiteral("HH:mm:ss") });
        if (!when) {
            log.refused.append({ row.line,
                QStringLiteral("\"%1\" is not a date and time such as 2023-01-15 07:30")
                    .arg(dateText) });
            continue;
        }
        const std::optional<double> weight = SourceValues::number(weightText);
        if (!weight) {
            log.refused.append(
                { row.line, QStringLiteral("the weight \"%1\" is not a number").arg(weightText) });
            continue;
        }
        log.weighIns.append(
            { row.line, when->date, when->time, *weight, WeightPersonSettings::Unit::Kilograms });
    }
    return log;
}
