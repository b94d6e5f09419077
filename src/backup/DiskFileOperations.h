#pragma once

#include "BackupFileOperations.h"

// The backup's file operations on the real file system.
class DiskFileOperations : public BackupFileOperations
{
public:
    bool exists(const QString& path) override;
    CopyResult copy(const QString& source, const QString& destination,
        QByteArray* checksum = nullptr, QString* reason = nullptr) override;
    QByteArray checksum(const QString& path) override;
    bool remove(const QString& path) override;
    bool rename(const QString& from, const QString& to) override;
    bool setPermissions(const QString& path, QFileDevice::Permissions permissions) override;
    bool writeFile(const QString& path, const QByteArray& bytes) override;
    QByteArray readFile(const QString& path, bool* ok) override;
    bool makeFolder(const QString& path, QString* reason = nullptr) override;
    bool removeFolder(const QString& path) override;
    bool syncFolder(const QString& path) override;
    QStringList fileNames(const QString& folder) override;

protected:
    // Whether written files and folders are flushed to the disk. Only a
    // real crash or power cut needs it; tests that stop a run in-process
    // turn it off, as waiting for the disk would only slow them down.
    bool m_flushToDisk = true;
};
