#include "PasswordExport.h"

#include "CsvWriter.h"
#include "passwords/IndexItem.h"

#include <QJsonArray>

PasswordExport::PasswordExport(const PasswordSnapshot& snapshot)
{
    for (const QString& item : snapshot.items())
        m_rows.append(Row { IndexItem(item).recordNumber(), snapshot.entry(item) });
}

QStringList PasswordExport::csvColumns()
{
    return { QStringLiteral("name"), QStringLiteral("record_number"), QStringLiteral("sign_on"),
        QStringLiteral("password"), QStringLiteral("comment") };
}

QByteArray PasswordExport::csv() const
{
    CsvWriter writer;
    writer.writeRow(csvColumns());
    for (const Row& row : m_rows)
        writer.writeRow({ row.entry.name, QString::number(row.recordNumber), row.entry.signOn,
            row.entry.password, row.entry.comment });
    return writer.bytes();
}

QJsonObject PasswordExport::json() const
{
    QJsonArray entries;
    for (const Row& row : m_rows) {
        QJsonObject entry;
        entry.insert(QStringLiteral("name"), row.entry.name);
        entry.insert(QStringLiteral("record_number"), row.recordNumber);
        entry.insert(QStringLiteral("sign_on"), row.entry.signOn);
        entry.insert(QStringLiteral("password"), row.entry.password);
        entry.insert(QStringLiteral("comment"), row.entry.comment);
        entries.append(entry);
    }
    QJsonObject document;
    document.insert(QStringLiteral("kind"), QStringLiteral("passwords"));
    document.insert(QStringLiteral("entries"), entries);
    return document;
}
