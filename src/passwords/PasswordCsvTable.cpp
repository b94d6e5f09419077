#include "PasswordCsvTable.h"

#include "storage/CsvReader.h"

#include <algorithm>

namespace {

QStringList headerNames(const CsvReader::Record& header)
{
    QStringList names;
    for (const QString& field : header.fields)
        names.append(field.trimmed().toLower());
    return names;
}

QStringList missingColumns(const QStringList& names, const QStringList& required)
{
    QStringList missing;
    for (const QString& column : required) {
        if (!names.contains(column.toLower()))
            missing.append(column);
    }
    return missing;
}

} // namespace

std::optional<QList<PasswordCsvTable::Row>> PasswordCsvTable::read(
    const QByteArray& bytes, const QStringList& requiredColumns, QString& error)
{
    const std::optional<QList<CsvReader::Record>> records = CsvReader::parse(bytes, &error);
    if (!records)
        return std::nullopt;
    const auto header = std::find_if(records->cbegin(), records->cend(),
        [](const CsvReader::Record& record) { return !record.isBlank(); });
    if (header == records->cend()) {
        error = QStringLiteral("the file holds no header line");
        return std::nullopt;
    }
    const QStringList names = headerNames(*header);
    if (const QStringList missing = missingColumns(names, requiredColumns); !missing.isEmpty()) {
        error = QStringLiteral("line %1: the header lacks the column %2")
                    .arg(header->line)
                    .arg(missing.join(QStringLiteral(", ")));
        return std::nullopt;
    }

    QList<Row> rows;
    for (auto record = header + 1; record != records->cend(); ++record) {
        if (record->isBlank())
            continue;
        Row row { record->line, {} };
        for (qsizetype column = 0; column < names.size(); ++column)
            row.values.insert(names[column], record->fields.value(column));
        rows.append(row);
    }
    return rows;
}

ImportedPasswords PasswordCsvTable::readEntries(const QByteArray& bytes,
    const QStringList& requiredColumns, const std::function<ImportedPassword(const Row&)>& entry)
{
    ImportedPasswords read;
    const std::optional<QList<Row>> rows
        = PasswordCsvTable::read(bytes, requiredColumns, read.error);
    for (const Row& row : rows.value_or(QList<Row> {})) {
        read.entries.append(entry(row));
        read.entries.last().origin = QStringLiteral("line %1").arg(row.line);
    }
    return read;
}

bool PasswordCsvTable::headerHas(const QByteArray& bytes, const QStringList& columns)
{
    const std::optional<QList<CsvReader::Record>> records = CsvReader::parse(bytes);
    if (!records || records->isEmpty())
        return false;
    return missingColumns(headerNames(records->first()), columns).isEmpty();
}
