#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class BackupFileOperations;

// The last file of a dated backup: the name, size and checksum of every file
// in it and the program that wrote them. It is written only when every
// other file is in place, so a dated folder without one is unfinished, and a
// file that disagrees with it has changed since.
class BackupManifest
{
public:
    static inline const QString FileName = QStringLiteral("halvorn-manifest.json");

    struct File {
        QString name;
        qint64 size = 0;
        QByteArray sha256;
    };

    QDateTime made;
    QString programVersion;
    // Which program folder the backup is of (FullBackup::programFolderId);
    // empty in manifests written before it was recorded. Only the backups
    // of one program folder are ever counted or removed as its own.
    QString programFolderId;
    QList<File> files;
    // What the files hold, function by function (BackupContents reads it);
    // empty in manifests written before it was kept.
    QJsonObject contents;
    // A backup made of the program folder just before a restore replaced
    // it, and the program-folder files that restore was going to create:
    // restoring this backup takes them away again, so that it undoes that
    // restore whole.
    bool beforeRestore = false;
    QStringList created;

    const File* find(const QString& name) const;
    qint64 totalSize() const;

    QByteArray toJson() const;
    // Nothing, with the reason, when the bytes are no manifest of ours.
    static std::optional<BackupManifest> fromJson(const QByteArray& bytes, QString* reason);

    // The manifest of a dated folder; nothing when it has none (reason
    // empty) or it cannot be read (reason says why).
    static std::optional<BackupManifest> read(
        const QString& folder, BackupFileOperations& operations, QString* reason);
    // Writes the manifest beside a draft and renames it into place, so that
    // it exists whole or not at all, and flushes the folder.
    bool write(const QString& folder, BackupFileOperations& operations) const;
};
