#include "GarminCsvReader.h"

#include "SourceCsv.h"
#include "SourceValues.h"

namespace {

// A day line: one non-empty cell that reads as a date.
QDate dayOf(const CsvReader::Record& row)
{
    QString only;
    for (const QString& field : row.fields) {
        if (field.trimmed().isEmpty())
            continue;
        if (!only.isEmpty())
            return {};
        only = field.trimmed();
    }
    for (const QString& form : { QStringLiteral("MMM d, yyyy"), QStringLiteral("MMMM d, yyyy"),
             QStringLiteral("yyyy-MM-dd") }) {
        const QDate date = QDate::fromString(only, form);
        if (date.isValid())
            return date;
    }
    return {};
}

} // namespace

SourceLog GarminCsvReader::read(const QByteArray& bytes)
{
    SourceLog log;
    const std::optional<SourceCsv> csv = SourceCsv::read(bytes, log);
    if (!csv)
        return log;
    const int timeColumn = csv->column({ QStringLiteral("time") }, log);
    const int weightColumn = csv->column({ QStringLiteral("weight") }, log);
    if (log.failed())
        return log;
    QDate day;
    for (const CsvReader::Record& row : csv->rows) {
        if (const QDate date = dayOf(row); date.isValid()) {
            day = date;
            continue;
        }
        if (!day.isValid()) {
            log.refused.append({ row.line, QStringLiteral("no date line comes before it") });
            continue;
        }
        const QString timeText = row.fields.value(timeColumn).trimmed();
        QTime time;
        for (const QString& form : { QStringLiteral("h:mm AP"), QStringLiteral("hh:mm AP"),
                 QStringLiteral("H:mm"), QStringLiteral("HH:mm") }) {
            time = QTime::fromString(timeText, form);
            if (time.isValid())
                break;
        }
        if (!time.isValid()) {
            log.refused.append({ row.line,
                QStringLiteral("\"%1\" is not a time such as 07:30 AM").arg(timeText) });
            continue;
        }
        const QString weightText = row.fields.value(weightColumn).trimmed();
        const std::optional<SourceValues::Mass> mass
            = SourceValues::massCell(weightText, QStringLiteral("kg"));
        if (!mass) {
            log.refused.append({ row.line,
                QStringLiteral("the weight \"%1\" is not a weight such as 80.4 kg")
                    .arg(weightText) });
            continue;
        }
        log.weighIns.append({ row.line, day, time, mass->value, mass->unit });
    }
    return log;
}
