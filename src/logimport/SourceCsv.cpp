#include "SourceCsv.h"

#include "SourceValues.h"

std::optional<SourceCsv> SourceCsv::read(const QByteArray& bytes, SourceLog& log, int skip)
{
    QString error;
    const std::optional<QList<CsvReader::Record>> records
        = CsvReader::parse(bytes, &error, FieldLimit);
    if (!records) {
        log.error = error;
        return std::nullopt;
    }
    SourceCsv csv;
    bool headerFound = false;
    for (const CsvReader::Record& record : *records) {
        if (record.isBlank())
            continue;
        if (skip > 0) {
            --skip;
            continue;
        }
        if (record.overLong) {
            const QString reason
                = QStringLiteral("a cell holds more than %1 characters, more than any export "
                                 "writes; the line reads %2")
                      .arg(FieldLimit)
                      .arg(lineText(record));
            if (!headerFound) {
                log.error = QStringLiteral("line %1: %2").arg(record.line).arg(reason);
                return std::nullopt;
            }
            log.refused.append({ record.line, reason });
            continue;
        }
        if (!headerFound) {
            for (const QString& field : record.fields)
                csv.headings.append(field.trimmed());
            csv.names = SourceValues::headerNames(record.fields);
            csv.headerLine = record.line;
            headerFound = true;
            continue;
        }
        csv.rows.append(record);
    }
    if (!headerFound) {
        log.error = QStringLiteral("line 1: the header row is missing");
        return std::nullopt;
    }
    return csv;
}

int SourceCsv::optionalColumn(const QStringList& candidates) const
{
    for (const QString& candidate : candidates) {
        const qsizetype at = names.indexOf(candidate.toLower());
        if (at >= 0)
            return int(at);
    }
    return -1;
}

int SourceCsv::column(const QStringList& candidates, SourceLog& log) const
{
    const int at = optionalColumn(candidates);
    if (at < 0 && !log.failed())
        log.error = QStringLiteral("line %1: the header has no \"%2\" column")
                        .arg(headerLine)
                        .arg(candidates.first());
    return at;
}

QString SourceCsv::cell(const CsvReader::Record& row, int column)
{
    return column < 0 ? QString() : row.fields.value(column).trimmed();
}

bool SourceCsv::isStray(const CsvReader::Record& row) const
{
    return row.fields.size() != names.size();
}

QString SourceCsv::lineText(const CsvReader::Record& row)
{
    // The cells as they were written, quoted again where they must be.
    QStringList cells;
    for (const QString& field : row.fields) {
        if (field.contains(u',') || field.contains(u'"') || field.contains(u'\n'))
            cells.append(u'"' + QString(field).replace(u'"', QStringLiteral("\"\"")) + u'"');
        else
            cells.append(field);
        // Nothing past what a message quotes is needed.
        if (cells.join(u',').size() > SourceValues::QuotedLength)
            break;
    }
    QString text = cells.join(u',');
    text.replace(u'\n', u' ');
    return SourceValues::quoted(text);
}

QString SourceCsv::cellProblem(
    const CsvReader::Record& row, int column, const QString& expected) const
{
    const QString text = cell(row, column);
    const QString heading = headings.value(column);
    const QString what = text.isEmpty() ? QStringLiteral("the \"%1\" column is empty").arg(heading)
                                        : QStringLiteral("the \"%1\" column holds %2, not %3")
                                              .arg(heading, SourceValues::quoted(text), expected);
    return QStringLiteral("%1; the line reads %2").arg(what, lineText(row));
}

void SourceCsv::refuse(
    SourceLog& log, const CsvReader::Record& row, int column, const QString& expected) const
{
    log.refused.append({ row.line, cellProblem(row, column, expected) });
}
