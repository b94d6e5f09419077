#include "KeePassXcCsvReader.h"

#include "PasswordCsvTable.h"

ImportedPasswords KeePassXcCsvReader::read(const QByteArray& bytes)
{
    return PasswordCsvTable::readEntries(bytes, Columns, [](const PasswordCsvTable::Row& row) {
        const auto& values = row.values;
        ImportedPassword entry { {}, values.value("title"), values.value("url"),
            values.value("username"), values.value("password"), values.value("notes"), {}, false };
        // "Root/Banking/Cards": the top group's name is the database's, not
        // a place the user chose.
        const QStringList groups = values.value("group").split(u'/');
        entry.deleted = groups.size() > 1 && groups[1] == RecycleBinGroup;
        if (const QString totp = values.value("totp").trimmed(); !totp.isEmpty())
            entry.moreLines.append(QStringLiteral("TOTP: ") + totp);
        if (groups.size() > 1)
            entry.moreLines.append(QStringLiteral("Group: ") + groups.mid(1).join(u'/'));
        return entry;
    });
}
