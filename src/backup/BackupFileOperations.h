#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QString>
#include <QStringList>

// The file operations of a backup or restore run, behind an interface so
// that tests can make a copy fail, fill the destination, lose a file or stop
// the run after any one step as a crash would. Paths are full paths.
class BackupFileOperations
{
public:
    enum class CopyResult { Copied, SourceUnreadable, DestinationFailed };

    // Owner-only, for password files and every copy of them.
    static constexpr QFileDevice::Permissions OwnerOnly
        = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

    virtual ~BackupFileOperations() = default;

    virtual bool exists(const QString& path) = 0;

    // Copies source byte for byte into a new file at destination, created
    // owner-only so that no copy of a password file is ever readable by
    // others. Its bytes reach the disk at the next syncFolder() of its folder. checksum (when
    // given) receives the checksum of the bytes read from source. On
    // DestinationFailed a partial copy may be left behind; reason (when
    // given) says why the copy failed.
    virtual CopyResult copy(const QString& source, const QString& destination,
        QByteArray* checksum = nullptr, QString* reason = nullptr)
        = 0;

    // The checksum of the file's bytes, or empty when it cannot be read.
    virtual QByteArray checksum(const QString& path) = 0;

    // True when the file is gone afterwards, also when it never existed.
    virtual bool remove(const QString& path) = 0;

    // Moves the file in one step within one file system; a file already at
    // to is replaced.
    virtual bool rename(const QString& from, const QString& to) = 0;

    virtual bool setPermissions(const QString& path, QFileDevice::Permissions permissions) = 0;

    // Writes a new file whole and flushes it to the disk.
    virtual bool writeFile(const QString& path, const QByteArray& bytes) = 0;
    virtual QByteArray readFile(const QString& path, bool* ok) = 0;

    virtual bool makeFolder(const QString& path, QString* reason = nullptr) = 0;
    // Removes the folder and everything in it; true when it is gone.
    virtual bool removeFolder(const QString& path) = 0;
    // Flushes every file written in the folder and the folder's entries
    // (names created, renamed or removed) to the disk.
    virtual bool syncFolder(const QString& path) = 0;
    // The names of the files in the folder, hidden ones included.
    virtual QStringList fileNames(const QString& folder) = 0;
};
