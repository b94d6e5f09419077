#include "GarminCsvReader.h"

#include "SourceCsv.h"
#include "SourceValues.h"

namespace {

const QString DateExpected = QStringLiteral("a date such as \"Sep 21, 2023\" or \"21 Sep 2023\"");

// The one non-empty cell of a line, or the empty text when it has more.
QString onlyCell(const CsvReader::Record& row)
{
    QString only;
    for (const QString& field : row.fields) {
        if (field.trimmed().isEmpty())
            continue;
        if (!only.isEmpty())
            return {};
        only = field.trimmed();
    }
    return only;
}

// A day line in any layout the site writes: month first or day first, the
// month named short or in full (British English writes "Sept"), or ISO.
QDate dayOf(QString text)
{
    text.replace(QStringLiteral("Sept"), QStringLiteral("Sep"));
    text.remove(u'.');
    text = text.simplified();
    for (const char* form : { "MMM d, yyyy", "MMMM d, yyyy", "d MMM yyyy", "d MMMM yyyy",
             "MMM d yyyy", "MMMM d yyyy", "yyyy-MM-dd" }) {
        const QDate date = QDate::fromString(text, QLatin1String(form));
        if (date.isValid())
            return date;
    }
    return {};
}

bool isMissing(const QString& cell)
{
    return cell.isEmpty() || cell == u"--";
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
    int unreadDayLine = 0;
    for (const CsvReader::Record& row : csv->rows) {
        const QString only = onlyCell(row);
        if (!only.isEmpty() && SourceValues::timeOfDay(only).isNull()) {
            // A line of one cell stands for the day of the weigh-ins below it.
            day = dayOf(only);
            unreadDayLine = day.isValid() ? 0 : row.line;
            if (!day.isValid())
                log.refused.append({ row.line,
                    QStringLiteral("the day line holds %1, not %2")
                        .arg(SourceValues::quoted(only), DateExpected) });
            continue;
        }
        const QString weightText = SourceCsv::cell(row, weightColumn);
        if (isMissing(weightText)) {
            log.skip(csv->isStray(row) ? QStringLiteral("lines that are not rows of the table")
                                       : QStringLiteral("rows without a weight"));
            continue;
        }
        if (!day.isValid()) {
            log.refused.append({ row.line,
                unreadDayLine > 0
                    ? QStringLiteral("the day line before it, line %1, could not be read; the "
                                     "line reads %2")
                          .arg(unreadDayLine)
                          .arg(SourceCsv::lineText(row))
                    : QStringLiteral("no day line such as \"Sep 21, 2023\" comes before this "
                                     "weigh-in; the line reads %1")
                          .arg(SourceCsv::lineText(row)) });
            continue;
        }
        const QTime time = SourceValues::timeOfDay(SourceCsv::cell(row, timeColumn));
        if (!time.isValid()) {
            csv->refuse(log, row, timeColumn, QStringLiteral("a time such as 7:30 AM or 19:30"));
            continue;
        }
        const std::optional<SourceValues::Mass> mass
            = SourceValues::massCell(weightText, QStringLiteral("kg"));
        if (!mass) {
            csv->refuse(log, row, weightColumn, QStringLiteral("a weight such as 80.4 kg"));
            continue;
        }
        log.weighIns.append({ row.line, day, time, mass->value, mass->unit });
    }
    return log;
}
