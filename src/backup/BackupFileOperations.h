#pragma once

#include <QString>

// The file operations of a backup or restore run, behind an interface so
// that tests can make a copy fail, fill the destination or lose a file.
// Paths are full paths.
class BackupFileOperations
{
public:
    enum class CopyResult { Copied, SourceUnreadable, DestinationFailed };

    virtual ~BackupFileOperations() = default;

    virtual bool exists(const QString& path) = 0;

    // Copies source byte for byte over destination, giving the copy the
    // source's permissions. On DestinationFailed a partial copy may be left
    // behind; reason (when given) says why the copy failed.
    virtual CopyResult copy(
        const QString& source, const QString& destination, QString* reason = nullptr)
        = 0;

    // True when the file is gone afterwards, also when it never existed.
    virtual bool remove(const QString& path) = 0;

    // Whether both files can be read and hold the same bytes.
    virtual bool sameContents(const QString& first, const QString& second) = 0;

    // Puts the file from in the place of to, in one step, within one folder.
    // A file already at to is replaced and its permissions are kept; a new
    // one stays readable and writable by its owner.
    virtual bool replace(const QString& from, const QString& to) = 0;
};
