#include "BackupContents.h"

#include "BackupStatus.h"

#include <QLocale>

namespace {

QString counted(int count, const QString& one, const QString& many)
{
    return QStringLiteral("%1 %2").arg(count).arg(count == 1 ? one : many);
}

QString keeperText(const FunctionContents& keeper)
{
    if (keeper.isProtected)
        return QStringLiteral("protected, %1")
            .arg(QLocale::c().formattedDataSize(keeper.vaultSize));
    return counted(keeper.entries, QStringLiteral("entry"), QStringLiteral("entries"));
}

} // namespace

QHash<QString, FunctionContents> BackupContents::describe(
    const BackupFileSets& sets, const ProgramFolder& folder)
{
    QHash<QString, FunctionContents> contents;
    for (const BackupFileSet& set : sets.all()) {
        if (!set.describe)
            continue;
        FunctionContents described = set.describe(folder);
        if (described.present)
            contents.insert(set.contentsKey, described);
    }
    return contents;
}

QJsonObject BackupContents::toJson(const QHash<QString, FunctionContents>& contents)
{
    // Present even when no function has files, so that such a backup is
    // told from one whose manifest says nothing of its contents.
    QJsonObject object { { QStringLiteral("described"), 1 } };
    for (auto it = contents.cbegin(); it != contents.cend(); ++it)
        object.insert(it.key(), it.value().toJson());
    return object;
}

QStringList BackupContents::lines(const BackupFileSets& sets, const QJsonObject& contents)
{
    if (contents.isEmpty())
        return { DetailsUnknownText };
    QStringList lines;
    for (const BackupFileSet& set : sets.all()) {
        if (!contents.contains(set.contentsKey))
            continue;
        const FunctionContents held
            = FunctionContents::fromJson(contents.value(set.contentsKey).toObject());
        if (!set.isTracker()) {
            lines.append(QStringLiteral("%1: %2").arg(set.functionName, keeperText(held)));
            continue;
        }
        if (held.people.isEmpty())
            lines.append(QStringLiteral("%1: nobody").arg(set.functionName));
        for (const FunctionContents::Person& person : held.people) {
            QString line
                = QStringLiteral("%1: %2, %3")
                      .arg(set.functionName, person.name,
                          person.rows == 0 ? QStringLiteral("no %1").arg(set.rowsWord)
                                           : counted(person.rows, set.rowWord, set.rowsWord));
            if (person.last.isValid())
                line += QStringLiteral(", the last %1").arg(BackupStatus::dateText(person.last));
            lines.append(line);
        }
    }
    if (lines.isEmpty())
        lines.append(NoFunctionFilesText);
    return lines;
}

QString BackupContents::summary(const BackupFileSets& sets, const QJsonObject& contents)
{
    if (contents.isEmpty())
        return DetailsUnknownText;
    QStringList parts;
    for (const BackupFileSet& set : sets.all()) {
        if (!contents.contains(set.contentsKey))
            continue;
        const FunctionContents held
            = FunctionContents::fromJson(contents.value(set.contentsKey).toObject());
        parts.append(QStringLiteral("%1 %2").arg(set.functionName,
            set.isTracker() ? counted(
                int(held.people.size()), QStringLiteral("person"), QStringLiteral("people"))
                            : keeperText(held)));
    }
    return parts.isEmpty() ? NoFunctionFilesText : parts.join(QStringLiteral(", "));
}
