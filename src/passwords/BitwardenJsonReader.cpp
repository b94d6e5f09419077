#include "BitwardenJsonReader.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

namespace {

// Bitwarden's item types.
enum ItemType { Login = 1, SecureNote = 2, Card = 3, Identity = 4 };

QString kindName(int type)
{
    switch (type) {
    case Card:
        return QStringLiteral("a card");
    case Identity:
        return QStringLiteral("an identity");
    default:
        return QStringLiteral("an item of type %1").arg(type);
    }
}

} // namespace

ImportedPasswords BitwardenJsonReader::read(const QByteArray& bytes)
{
    ImportedPasswords read;
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        read.error = QStringLiteral("the file is not JSON (%1 at character %2)")
                         .arg(parseError.errorString())
                         .arg(parseError.offset);
        return read;
    }
    const QJsonObject root = document.object();
    if (root.value(QStringLiteral("encrypted")).toBool()) {
        read.error = QStringLiteral("the export is encrypted; export the vault again in the "
                                    "unencrypted JSON format");
        return read;
    }
    if (!root.value(QStringLiteral("items")).isArray()) {
        read.error = QStringLiteral("the file holds no \"items\": is it a Bitwarden JSON export?");
        return read;
    }

    const QJsonArray items = root.value(QStringLiteral("items")).toArray();
    for (qsizetype i = 0; i < items.size(); ++i) {
        const QJsonObject item = items[i].toObject();
        const QString origin = QStringLiteral("item %1").arg(i + 1);
        const QString name = item.value(QStringLiteral("name")).toString();
        const int type = item.value(QStringLiteral("type")).toInt();
        if (type != Login && type != SecureNote) {
            read.skipped.append(QStringLiteral("%1 (%2): %3 is not imported")
                                    .arg(origin, name.trimmed(), kindName(type)));
            continue;
        }
        const QJsonObject login = item.value(QStringLiteral("login")).toObject();
        const QJsonArray uris = login.value(QStringLiteral("uris")).toArray();
        read.entries.append({ origin, name,
            uris.isEmpty() ? QString()
                           : uris.first().toObject().value(QStringLiteral("uri")).toString(),
            login.value(QStringLiteral("username")).toString(),
            login.value(QStringLiteral("password")).toString(),
            item.value(QStringLiteral("notes")).toString() });
    }
    return read;
}
