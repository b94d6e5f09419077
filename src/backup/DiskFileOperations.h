#pragma once

#include "BackupFileOperations.h"

// The backup's file operations on the real file system.
class DiskFileOperations : public BackupFileOperations
{
public:
    bool exists(const QString& path) override;
    CopyResult copy(
        const QString& source, const QString& destination, QString* reason = nullptr) override;
    bool remove(const QString& path) override;
    bool sameContents(const QString& first, const QString& second) override;
    bool replace(const QString& from, const QString& to) override;
};
