#include "SamsungHealthCsvReader.h"

#include "SourceCsv.h"
#include "SourceValues.h"

#include <QDateTime>
#include <QRegularExpression>

namespace {

// "UTC+0100" or "UTC-0530" in seconds; nothing when unreadable.
std::optional<int> offsetSeconds(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^UTC([+-])(\\d{2}):?(\\d{2})$"));
    const QRegularExpressionMatch match = pattern.match(text.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    const int seconds = match.captured(2).toInt() * 3600 + match.captured(3).toInt() * 60;
    return match.captured(1) == u"-" ? -seconds : seconds;
}

} // namespace

SourceLog SamsungHealthCsvReader::read(const QByteArray& bytes)
{
    SourceLog log;
    std::optional<SourceCsv> csv = SourceCsv::read(bytes, log, 1);
    if (!csv)
        return log;
    for (QString& name : csv->names)
        name = name.section(u'.', -1);
    const int startColumn = csv->column({ QStringLiteral("start_time") }, log);
    const int weightColumn = csv->column({ QStringLiteral("weight") }, log);
    const int offsetColumn = csv->optionalColumn({ QStringLiteral("time_offset") });
    if (log.failed())
        return log;
    for (const CsvReader::Record& row : csv->rows) {
        const QString weightText = SourceCsv::cell(row, weightColumn);
        if (weightText.isEmpty()) {
            log.skip(csv->isStray(row) ? QStringLiteral("lines that are not rows of the table")
                                       : QStringLiteral("rows without a weight"));
            continue;
        }
        const std::optional<SourceValues::LocalTime> start = SourceValues::localTime(
            SourceCsv::cell(row, startColumn), { QStringLiteral("yyyy-MM-dd") },
            { QStringLiteral("HH:mm:ss.zzz"), QStringLiteral("HH:mm:ss") });
        if (!start) {
            csv->refuse(log, row, startColumn,
                QStringLiteral("a date and time such as 2023-01-15 07:30:00.000"));
            continue;
        }
        int offset = 0;
        if (!SourceCsv::cell(row, offsetColumn).isEmpty()) {
            const std::optional<int> read = offsetSeconds(SourceCsv::cell(row, offsetColumn));
            if (!read) {
                csv->refuse(log, row, offsetColumn, QStringLiteral("an offset such as UTC+0100"));
                continue;
            }
            offset = *read;
        }
        const std::optional<double> weight = SourceValues::number(weightText);
        if (!weight) {
            csv->refuse(log, row, weightColumn, QStringLiteral("a number"));
            continue;
        }
        const QDateTime local = QDateTime(start->date, start->time, Qt::UTC).addSecs(offset);
        log.weighIns.append({ row.line, local.date(), local.time(), *weight,
            WeightPersonSettings::Unit::Kilograms });
    }
    return log;
}
