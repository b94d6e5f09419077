#include "ProgramCsvReader.h"

#include "ProgramLogRows.h"
#include "storage/CsvReader.h"

#include <QRegularExpression>
#include <QStringList>

#include <optional>

namespace {

using Unit = WeightPersonSettings::Unit;

// The records under the header, each reduced to the wanted columns in
// their order; nothing, with log.error set, when the text or its header is
// unusable.
struct Table {
    struct Row {
        int line = 0;
        QStringList fields;
    };
    QList<Row> rows;
    std::optional<Unit> unit;
};

std::optional<Table> readTable(const QByteArray& bytes, const QStringList& wanted, SourceLog& log)
{
    QString error;
    const std::optional<QList<CsvReader::Record>> records = CsvReader::parse(bytes, &error);
    if (!records) {
        log.error = error;
        return std::nullopt;
    }
    qsizetype first = 0;
    while (first < records->size() && records->at(first).isBlank())
        ++first;
    if (first == records->size()) {
        log.error = QStringLiteral("line 1: the header row is missing");
        return std::nullopt;
    }
    const CsvReader::Record& header = records->at(first);
    Table table;
    QStringList names;
    static const QRegularExpression unitSuffix(QStringLiteral("\\s*\\((lb|kg)\\)$"));
    for (const QString& field : header.fields) {
        QString name = field.trimmed().toLower();
        if (const QRegularExpressionMatch unit = unitSuffix.match(name); unit.hasMatch()) {
            if (name.left(unit.capturedStart()) == u"weight")
                table.unit = WeightPersonSettings::unitNamed(unit.captured(1));
            name.truncate(unit.capturedStart());
        }
        names.append(name);
    }
    QList<int> columns;
    for (const QString& column : wanted) {
        const qsizetype at = names.indexOf(column);
        if (at < 0) {
            log.error = QStringLiteral("line %1: the header has no \"%2\" column")
                            .arg(header.line)
                            .arg(column);
            return std::nullopt;
        }
        columns.append(int(at));
    }
    for (qsizetype r = first + 1; r < records->size(); ++r) {
        const CsvReader::Record& record = records->at(r);
        // Spreadsheets end a sheet with empty lines or lines of commas.
        if (record.isBlank())
            continue;
        if (record.fields.size() != header.fields.size()) {
            log.refused.append({ record.line,
                QStringLiteral("%1 fields where the header has %2")
                    .arg(record.fields.size())
                    .arg(header.fields.size()) });
            continue;
        }
        Table::Row row { record.line, {} };
        for (int column : columns)
            row.fields.append(record.fields.at(column));
        table.rows.append(row);
    }
    return table;
}

} // namespace

SourceLog ProgramCsvReader::readWeighIns(const QByteArray& bytes)
{
    SourceLog log;
    log.ownLog = true;
    const std::optional<Table> table
        = readTable(bytes, { QStringLiteral("date"), QStringLiteral("weight") }, log);
    if (!table)
        return log;
    log.weightsInPersonsUnit = !table->unit;
    for (const Table::Row& row : table->rows)
        ProgramLogRows::addWeighIn(
            log, row.line, row.fields.at(0), row.fields.at(1), table->unit.value_or(Unit::Pounds));
    return log;
}

SourceLog ProgramCsvReader::readReadings(const QByteArray& bytes)
{
    SourceLog log;
    log.ownLog = true;
    const std::optional<Table> table = readTable(bytes,
        { QStringLiteral("date"), QStringLiteral("time"), QStringLiteral("systolic"),
            QStringLiteral("diastolic"), QStringLiteral("pulse") },
        log);
    if (!table)
        return log;
    for (const Table::Row& row : table->rows) {
        const QStringList& f = row.fields;
        ProgramLogRows::addReading(log, row.line, f.at(0), f.at(1), f.at(2), f.at(3), f.at(4));
    }
    return log;
}
