#include "SourceCsv.h"

#include "SourceValues.h"

std::optional<SourceCsv> SourceCsv::read(const QByteArray& bytes, SourceLog& log, int skip)
{
    QString error;
    const std::optional<QList<CsvReader::Record>> records = CsvReader::parse(bytes, &error);
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
        if (!headerFound) {
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
        const qsizetype at = names.indexOf(candidate);
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
