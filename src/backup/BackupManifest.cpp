#include "BackupManifest.h"

#include "BackupFileOperations.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <numeric>

namespace {

const QString Format = QStringLiteral("halvorn dated backup 1");
const QString DraftSuffix = QStringLiteral(".draft");

void report(QString* reason, const QString& text)
{
    if (reason)
        *reason = text;
}

} // namespace

const BackupManifest::File* BackupManifest::find(const QString& name) const
{
    for (const File& file : files) {
        if (file.name == name)
            return &file;
    }
    return nullptr;
}

qint64 BackupManifest::totalSize() const
{
    return std::accumulate(files.cbegin(), files.cend(), qint64(0),
        [](qint64 sum, const File& file) { return sum + file.size; });
}

QByteArray BackupManifest::toJson() const
{
    QJsonArray list;
    for (const File& file : files)
        list.append(QJsonObject {
            { QStringLiteral("name"), file.name },
            { QStringLiteral("size"), file.size },
            { QStringLiteral("sha256"), QString::fromLatin1(file.sha256.toHex()) },
        });
    QJsonObject root {
        { QStringLiteral("format"), Format },
        { QStringLiteral("program"), programVersion },
        { QStringLiteral("made"), made.toString(Qt::ISODate) },
        { QStringLiteral("files"), list },
    };
    if (!programFolderId.isEmpty())
        root.insert(QStringLiteral("programFolder"), programFolderId);
    // Fields added later are written only when they say something, so that
    // older programs read the manifest as before.
    if (!contents.isEmpty())
        root.insert(QStringLiteral("contents"), contents);
    if (beforeRestore) {
        root.insert(QStringLiteral("beforeRestore"), true);
        root.insert(QStringLiteral("created"), QJsonArray::fromStringList(created));
    }
    return QJsonDocument(root).toJson();
}

std::optional<BackupManifest> BackupManifest::fromJson(const QByteArray& bytes, QString* reason)
{
    QJsonParseError error;
    const QJsonObject root = QJsonDocument::fromJson(bytes, &error).object();
    if (error.error != QJsonParseError::NoError
        || root.value(QStringLiteral("format")).toString() != Format) {
        report(reason, QStringLiteral("%1 is not a manifest this program wrote").arg(FileName));
        return std::nullopt;
    }
    BackupManifest manifest;
    manifest.programVersion = root.value(QStringLiteral("program")).toString();
    manifest.programFolderId = root.value(QStringLiteral("programFolder")).toString();
    manifest.made
        = QDateTime::fromString(root.value(QStringLiteral("made")).toString(), Qt::ISODate);
    for (const QJsonValue& value : root.value(QStringLiteral("files")).toArray()) {
        const QJsonObject object = value.toObject();
        File file;
        file.name = object.value(QStringLiteral("name")).toString();
        file.size = object.value(QStringLiteral("size")).toInteger(-1);
        file.sha256
            = QByteArray::fromHex(object.value(QStringLiteral("sha256")).toString().toLatin1());
        // A name that leaves the folder is no name this program wrote.
        if (file.name.isEmpty() || file.name.contains(u'/') || file.name.contains(u'\\')
            || file.name == u"." || file.name == u".." || file.size < 0 || file.sha256.isEmpty()) {
            report(reason, QStringLiteral("%1 names a file it cannot hold").arg(FileName));
            return std::nullopt;
        }
        manifest.files.append(file);
    }
    manifest.contents = root.value(QStringLiteral("contents")).toObject();
    manifest.beforeRestore = root.value(QStringLiteral("beforeRestore")).toBool();
    for (const QJsonValue& value : root.value(QStringLiteral("created")).toArray()) {
        const QString name = value.toString();
        if (name.isEmpty() || name.contains(u'/') || name.contains(u'\\') || name == u"."
            || name == u"..") {
            report(reason, QStringLiteral("%1 names a file it cannot hold").arg(FileName));
            return std::nullopt;
        }
        manifest.created.append(name);
    }
    if (!manifest.made.isValid()) {
        report(reason, QStringLiteral("%1 holds no date").arg(FileName));
        return std::nullopt;
    }
    return manifest;
}

std::optional<BackupManifest> BackupManifest::read(
    const QString& folder, BackupFileOperations& operations, QString* reason)
{
    report(reason, QString());
    const QString path = QDir(folder).filePath(FileName);
    if (!operations.exists(path))
        return std::nullopt;
    bool read = false;
    const QByteArray bytes = operations.readFile(path, &read);
    if (!read) {
        report(reason, QStringLiteral("%1 cannot be read").arg(FileName));
        return std::nullopt;
    }
    return fromJson(bytes, reason);
}

bool BackupManifest::write(const QString& folder, BackupFileOperations& operations) const
{
    const QString path = QDir(folder).filePath(FileName);
    const QString draft = path + DraftSuffix;
    if (operations.writeFile(draft, toJson()) && operations.rename(draft, path)
        && operations.syncFolder(folder))
        return true;
    operations.remove(draft);
    return false;
}
