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
        ImportedPassword entry { {}, title, url, row.values.value("username"),
            row.values.value("password"), row.values.value("note"), {}, false };
        if (const QString realm = row.values.value("httprealm"); !realm.isEmpty())
            entry.moreLines.append(QStringLiteral("Realm: ") + realm);
        return entry;
    });
}
