#include "BrowserCsvReader.h"

#include "PasswordCsvTable.h"

#include <QUrl>

ImportedPasswords BrowserCsvReader::read(const QByteArray& bytes)
{
    return PasswordCsvTable::readEntries(bytes, Columns, [](const PasswordCsvTable::Row& row) {
        const QString url = row.values.value("url");
        QString title = row.values.value("name");
        if (title.trimmed().isEmpty())
            title = QUrl(url.trimmed()).host();
        return ImportedPassword { {}, title, url, row.values.value("username"),
            row.values.value("password"), {} };
    });
}
