#include "BitwardenJsonReader.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

namespace {

// Bitwarden's item types.
enum ItemType { Login = 1, SecureNote = 2, Card = 3, Identity = 4, SshKey = 5 };

// Bitwarden's custom field types.
enum FieldType { Text = 0, Hidden = 1, Boolean = 2, Linked = 3 };

QString text(const QJsonObject& object, const char* key)
{
    return object.value(QLatin1String(key)).toString();
}

// "Label: value", only when there is a value.
void addLine(QStringList& lines, const QString& label, const QString& value)
{
    if (!value.trimmed().isEmpty())
        lines.append(label + QStringLiteral(": ") + value);
}

QString joinedNonEmpty(const QStringList& parts, const QString& separator)
{
    QStringList kept;
    for (const QString& part : parts) {
        if (!part.trimmed().isEmpty())
            kept.append(part.trimmed());
    }
    return kept.join(separator);
}

// A linked field shows another box's value in Bitwarden; the ids are those
// of its login, card and identity fields that people link to most.
QString linkedValue(int linkedId)
{
    switch (linkedId) {
    case 100:
        return QStringLiteral("(the user name)");
    case 101:
        return QStringLiteral("(the password)");
    case 300:
        return QStringLiteral("(the cardholder name)");
    case 303:
        return QStringLiteral("(the security code)");
    case 305:
        return QStringLiteral("(the card number)");
    default:
        return QStringLiteral("(linked to field %1)").arg(linkedId);
    }
}

void addFields(QStringList& lines, const QJsonArray& fields)
{
    for (const QJsonValue& value : fields) {
        const QJsonObject field = value.toObject();
        const QString name = text(field, "name").trimmed();
        QString shown;
        if (field.value(QStringLiteral("type")).toInt() == Linked)
            shown = linkedValue(field.value(QStringLiteral("linkedId")).toInt());
        else if (field.value(QStringLiteral("value")).isBool())
            shown = field.value(QStringLiteral("value")).toBool() ? QStringLiteral("true")
                                                                  : QStringLiteral("false");
        else
            shown = text(field, "value");
        if (!name.isEmpty() || !shown.isEmpty())
            lines.append(QStringLiteral("Field %1: %2").arg(name, shown));
    }
}

void readLogin(const QJsonObject& item, ImportedPassword& entry)
{
    const QJsonObject login = item.value(QStringLiteral("login")).toObject();
    const QJsonArray uris = login.value(QStringLiteral("uris")).toArray();
    for (const QJsonValue& uri : uris) {
        const QString address = text(uri.toObject(), "uri");
        if (address.trimmed().isEmpty())
            continue;
        if (entry.url.isEmpty())
            entry.url = address;
        else
            entry.moreLines.append(QStringLiteral("Also: ") + address);
    }
    entry.username = text(login, "username");
    entry.password = text(login, "password");
    addLine(entry.moreLines, QStringLiteral("TOTP"), text(login, "totp"));
}

void readCard(const QJsonObject& item, ImportedPassword& entry)
{
    const QJsonObject card = item.value(QStringLiteral("card")).toObject();
    entry.username = text(card, "number");
    entry.password = text(card, "code");
    addLine(entry.moreLines, QStringLiteral("Cardholder name"), text(card, "cardholderName"));
    addLine(entry.moreLines, QStringLiteral("Brand"), text(card, "brand"));
    addLine(entry.moreLines, QStringLiteral("Expiration"),
        joinedNonEmpty({ text(card, "expMonth"), text(card, "expYear") }, QStringLiteral("/")));
}

void readIdentity(const QJsonObject& item, ImportedPassword& entry)
{
    const QJsonObject identity = item.value(QStringLiteral("identity")).toObject();
    entry.username = text(identity, "username");
    QStringList& lines = entry.moreLines;
    addLine(lines, QStringLiteral("Name"),
        joinedNonEmpty({ text(identity, "title"), text(identity, "firstName"),
                           text(identity, "middleName"), text(identity, "lastName") },
            QStringLiteral(" ")));
    addLine(lines, QStringLiteral("Company"), text(identity, "company"));
    addLine(lines, QStringLiteral("Email"), text(identity, "email"));
    addLine(lines, QStringLiteral("Phone"), text(identity, "phone"));
    addLine(lines, QStringLiteral("Address"),
        joinedNonEmpty(
            { text(identity, "address1"), text(identity, "address2"), text(identity, "address3"),
                joinedNonEmpty(
                    { text(identity, "postalCode"), text(identity, "city") }, QStringLiteral(" ")),
                text(identity, "state"), text(identity, "country") },
            QStringLiteral(", ")));
    addLine(lines, QStringLiteral("Social Security number"), text(identity, "ssn"));
    addLine(lines, QStringLiteral("Passport number"), text(identity, "passportNumber"));
    addLine(lines, QStringLiteral("License number"), text(identity, "licenseNumber"));
}

QString kindName(int type)
{
    if (type == SshKey)
        return QStringLiteral("an SSH key");
    return QStringLiteral("an item of type %1").arg(type);
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

    QHash<QString, QString> folders;
    for (const QJsonValue& folder : root.value(QStringLiteral("folders")).toArray())
        folders.insert(text(folder.toObject(), "id"), text(folder.toObject(), "name"));

    const QJsonArray items = root.value(QStringLiteral("items")).toArray();
    for (qsizetype i = 0; i < items.size(); ++i) {
        const QJsonObject item = items[i].toObject();
        ImportedPassword entry;
        entry.origin = QStringLiteral("item %1").arg(i + 1);
        entry.title = text(item, "name");
        entry.notes = text(item, "notes");
        const int type = item.value(QStringLiteral("type")).toInt();
        switch (type) {
        case Login:
            readLogin(item, entry);
            break;
        case SecureNote:
            break;
        case Card:
            readCard(item, entry);
            break;
        case Identity:
            readIdentity(item, entry);
            break;
        default:
            read.skipped.append(QStringLiteral("%1 (%2): %3 is not imported")
                                    .arg(entry.origin, entry.title.trimmed(), kindName(type)));
            continue;
        }
        addFields(entry.moreLines, item.value(QStringLiteral("fields")).toArray());
        addLine(entry.moreLines, QStringLiteral("Folder"), folders.value(text(item, "folderId")));
        read.entries.append(entry);
    }
    return read;
}
