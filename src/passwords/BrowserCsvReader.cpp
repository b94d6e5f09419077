#include "BrowserCsvReader.h"

#include "PasswordCsvTable.h"

#include <QUrl>

ImportedPasswords BrowserCsvReader::read(const QByteArray& bytes)
{
    ImportedPasswords read;
    const std::optional<QList<PasswordCsvTable::Row>> rows
        = PasswordCsvTable::read(bytes, Columns, read.error);
    if (!rows)
        return read;
    for (const PasswordCsvTable::Row& row : *rows) {
        const QString url = row.values.value("url");
        QString title = row.values.value("name");
        if (title.trimmed().isEmpty())
            title = QUrl(url.trimmed()).host();
        read.entries.append({ QStringLiteral("line %1").arg(row.line), title, url,
            row.values.value("username"), row.values.value("password"), {} });
    }
    return read;
}
