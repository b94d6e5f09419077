#include "KeePassXcCsvReader.h"

#include "PasswordCsvTable.h"

ImportedPasswords KeePassXcCsvReader::read(const QByteArray& bytes)
{
    ImportedPasswords read;
    const std::optional<QList<PasswordCsvTable::Row>> rows
        = PasswordCsvTable::read(bytes, Columns, read.error);
    if (!rows)
        return read;
    for (const PasswordCsvTable::Row& row : *rows) {
        read.entries.append({ QStringLiteral("line %1").arg(row.line), row.values.value("title"),
            row.values.value("url"), row.values.value("username"), row.values.value("password"),
            row.values.value("notes") });
    }
    return read;
}
