#include "FunctionContents.h"

#include <QJsonArray>

namespace {

const QString PeopleKey = QStringLiteral("people");
const QString NameKey = QStringLiteral("name");
const QString RowsKey = QStringLiteral("rows");
const QString LastKey = QStringLiteral("last");
const QString EntriesKey = QStringLiteral("entries");
const QString ProtectedKey = QStringLiteral("protected");
const QString SizeKey = QStringLiteral("size");

} // namespace

const FunctionContents::Person* FunctionContents::person(const QString& name) const
{
    for (const Person& candidate : people) {
        if (candidate.name.compare(name, Qt::CaseInsensitive) == 0)
            return &candidate;
    }
    return nullptr;
}

QJsonObject FunctionContents::toJson() const
{
    if (isProtected)
        return { { ProtectedKey, true }, { SizeKey, vaultSize } };
    if (keeper)
        return { { EntriesKey, entries } };
    QJsonArray list;
    for (const Person& one : people) {
        QJsonObject object { { NameKey, one.name }, { RowsKey, one.rows } };
        if (one.last.isValid())
            object.insert(LastKey, one.last.toString(Qt::ISODate));
        list.append(object);
    }
    return { { PeopleKey, list } };
}

FunctionContents FunctionContents::fromJson(const QJsonObject& object)
{
    FunctionContents contents;
    contents.present = true;
    contents.isProtected = object.value(ProtectedKey).toBool();
    contents.keeper = contents.isProtected || object.contains(EntriesKey);
    contents.vaultSize = object.value(SizeKey).toInteger();
    contents.entries = object.value(EntriesKey).toInt();
    for (const QJsonValue& value : object.value(PeopleKey).toArray()) {
        const QJsonObject one = value.toObject();
        Person person;
        person.name = one.value(NameKey).toString();
        person.rows = one.value(RowsKey).toInt();
        person.last = QDate::fromString(one.value(LastKey).toString(), Qt::ISODate);
        contents.people.append(person);
    }
    return contents;
}
