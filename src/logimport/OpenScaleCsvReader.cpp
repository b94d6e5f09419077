#include "OpenScaleCsvReader.h"

#include "SourceCsv.h"
#include "SourceValues.h"

bool OpenScaleCsvReader::isVersion2(const QStringList& headings)
{
    return headings.contains(QStringLiteral("dateTime"))
        && headings.contains(QStringLiteral("weight"));
}

bool OpenScaleCsvReader::isVersion3(const QStringList& headings)
{
    return headings.contains(QStringLiteral("DATE")) && headings.contains(QStringLiteral("TIME"))
        && headings.contains(QStringLiteral("WEIGHT"));
}

SourceLog OpenScaleCsvReader::read(const QByteArray& bytes)
{
    SourceLog log;
    const std::optional<SourceCsv> csv = SourceCsv::read(bytes, log);
    if (!csv)
        return log;
    const bool split = isVersion3(csv->headings);
    const int dateColumn
        = csv->column({ split ? QStringLiteral("date") : QStringLiteral("datetime") }, log);
    const int timeColumn = split ? csv->column({ QStringLiteral("time") }, log) : -1;
    const int weightColumn = csv->column({ QStringLiteral("weight") }, log);
    if (log.failed())
        return log;
    for (const CsvReader::Record& row : csv->rows) {
        if (SourceCsv::cell(row, weightColumn).isEmpty()) {
            log.skip(csv->isStray(row) ? QStringLiteral("lines that are not rows of the table")
                                       : QStringLiteral("rows without a weight"));
            continue;
        }
        QDate date;
        QTime time;
        if (split) {
            date = QDate::fromString(SourceCsv::cell(row, dateColumn), Qt::ISODate);
            if (!date.isValid()) {
                csv->refuse(log, row, dateColumn, QStringLiteral("a date such as 2023-01-15"));
                continue;
            }
            time = SourceValues::timeOfDay(SourceCsv::cell(row, timeColumn));
            if (!time.isValid()) {
                csv->refuse(log, row, timeColumn, QStringLiteral("a time such as 20:30:13"));
                continue;
            }
        } else {
            const std::optional<SourceValues::LocalTime> when
                = SourceValues::localTime(SourceCsv::cell(row, dateColumn),
                    { QStringLiteral("yyyy-MM-dd"), QStringLiteral("dd.MM.yyyy") },
                    { QStringLiteral("HH:mm"), QStringLiteral("HH:mm:ss") });
            if (!when) {
                csv->refuse(log, row, dateColumn,
                    QStringLiteral("a date and time such as 2023-01-15 07:30"));
                continue;
            }
            date = when->date;
            time = when->time;
        }
        const std::optional<double> weight
            = SourceValues::number(SourceCsv::cell(row, weightColumn));
        if (!weight) {
            csv->refuse(log, row, weightColumn, QStringLiteral("a number"));
            continue;
        }
        log.weighIns.append(
            { row.line, date, time, *weight, WeightPersonSettings::Unit::Kilograms });
    }
    return log;
}
