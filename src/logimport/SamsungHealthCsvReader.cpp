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
        const QString startText = row.fields.value(startColumn).trimmed();
        const std::optional<SourceValues::LocalTime> start
            = SourceValues::localTime(startText, { QStringLiteral("yyyy-MM-dd") },
                { QStringLiteral("HH:mm:ss.zzz"), QStringLiteral("HH:mm:ss") });
        if (!start) {
            log.refused.append({ row.line,
                QStringLiteral("\"%1\" is not a date and time such as 2023-01-15 07:30:00.000")
                    .arg(startText) });
            continue;
        }
        int offset = 0;
        if (offsetColumn >= 0 && !row.fields.value(offsetColumn).trimmed().isEmpty()) {
            const std::optional<int> read = offsetSeconds(row.fields.value(offsetColumn));
            if (!read) {
                log.refused.append({ row.line,
                    QStringLiteral("the time offset \"%1\" is not one such as UTC+0100")
                        .arg(row.fields.value(offsetColumn).trimmed()) });
                continue;
            }
            offset = *read;
        }
        const QString weightText = row.fields.value(weightColumn).trimmed();
        const std::optional<double> weight = SourceValues::number(weightText);
        if (!weight) {
            log.refused.append({ row.line,
                weightText.isEmpty()
                    ? QStringLiteral("the weight is empty")
                    : QStringLiteral("the weight \"%1\" is not a number").arg(weightText) });
            continue;
        }
        const QDateTime local = QDateTime(start->date, start->time, Qt::UTC).addSecs(offset);
        log.weighIns.append({ row.line, local.date(), local.time(), *weight,
            WeightPersonSettings::Unit::Kilograms });
    }
    return log;
}
