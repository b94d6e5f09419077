#include "DiskFileOperations.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace {

constexpr qint64 ChunkSize = 64 * 1024;

void report(QString* reason, const QString& text)
{
    if (reason)
        *reason = text;
}

} // namespace

bool DiskFileOperations::exists(const QString& path)
{
    return QFileInfo(path).isFile();
}

BackupFileOperations::CopyResult DiskFileOperations::copy(
    const QString& source, const QString& destination, QString* reason)
{
    QFile in(source);
    if (!QFileInfo(source).isFile() || !in.open(QIODevice::ReadOnly)) {
        report(reason, in.errorString());
        return CopyResult::SourceUnreadable;
    }
    QFile out(destination);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        report(reason, out.errorString());
        return CopyResult::DestinationFailed;
    }
    while (!in.atEnd()) {
        const QByteArray chunk = in.read(ChunkSize);
        if (chunk.isEmpty() && in.error() != QFileDevice::NoError) {
            report(reason, in.errorString());
            return CopyResult::SourceUnreadable;
        }
        if (out.write(chunk) != chunk.size()) {
            report(reason, out.errorString());
            return CopyResult::DestinationFailed;
        }
    }
    // A full disk often shows only when the buffered bytes are written out.
    if (!out.flush()) {
        report(reason, out.errorString());
        return CopyResult::DestinationFailed;
    }
    out.close();
    out.setPermissions(in.permissions());
    return CopyResult::Copied;
}

bool DiskFileOperations::remove(const QString& path)
{
    if (!QFileInfo::exists(path))
        return true;
    return QFile::remove(path);
}

bool DiskFileOperations::sameContents(const QString& first, const QString& second)
{
    QFile a(first);
    QFile b(second);
    if (!a.open(QIODevice::ReadOnly) || !b.open(QIODevice::ReadOnly) || a.size() != b.size())
        return false;
    while (!a.atEnd()) {
        const QByteArray chunk = a.read(ChunkSize);
        if (chunk.isEmpty() || b.read(ChunkSize) != chunk)
            return false;
    }
    return b.atEnd();
}

bool DiskFileOperations::replace(const QString& from, const QString& to)
{
    const QFileInfo previous(to);
    const QFileDevice::Permissions permissions = previous.exists()
        ? previous.permissions()
        : QFile::permissions(from) | QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    QFile::setPermissions(from, permissions);
    // rename() replaces the old file in one step; QFile::rename refuses an
    // existing destination, which would leave a moment with neither file.
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}
