#include "KeePassXcCsvReader.h"

#include "PasswordCsvTable.h"

ImportedPasswords KeePassXcCsvReader::read(const QByteArray& bytes)
{
    return PasswordCsvTable::readEntries(bytes, Columns, [](const PasswordCsvTable::Row& row) {
        const auto& values = row.values;
        return ImportedPassword { {}, values.value("title"), values.value("url"),
            values.value("username"), values.value("password"), values.value("notes") };
    });
}
