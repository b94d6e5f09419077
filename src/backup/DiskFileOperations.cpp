#include "DiskFileOperations.h"

#include "UnfollowedFolder.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace {

constexpr qint64 ChunkSize = 64 * 1024;
constexpr auto ChecksumAlgorithm = QCryptographicHash::Sha256;

void report(QString* reason, const QString& text)
{
    if (reason)
        *reason = text;
}

// One file's bytes on the disk: the journal, which must be whole before
// anything counts on it.
bool flushToDisk(QFile& file, bool toDisk)
{
    return file.flush() && (!toDisk || ::fsync(file.handle()) == 0);
}

// A new file, owner-only from its first byte. A leftover of an interrupted
// run goes first: permissions given at creation do not apply to a file that
// is already there.
bool createOwnerOnly(QFile& file)
{
    if (QFileInfo(file.fileName()).isFile() && !file.remove())
        return false;
    return file.open(QIODevice::WriteOnly | QIODevice::NewOnly, BackupFileOperations::OwnerOnly);
}

} // namespace

bool DiskFileOperations::exists(const QString& path)
{
    return QFileInfo(path).isFile();
}

BackupFileOperations::CopyResult DiskFileOperations::copy(
    const QString& source, const QString& destination, QByteArray* checksum, QString* reason)
{
    QFile in(source);
    // Only a regular file is copied: a pipe or a device would block the run
    // or never end.
    if (!QFileInfo(source).isFile() || !in.open(QIODevice::ReadOnly)) {
        report(reason,
            QFileInfo(source).exists() && !QFileInfo(source).isFile()
                ? QStringLiteral("not a regular file")
                : in.errorString());
        return CopyResult::SourceUnreadable;
    }
    QFile out(destination);
    if (!createOwnerOnly(out)) {
        report(reason, out.errorString());
        return CopyResult::DestinationFailed;
    }
    QCryptographicHash hash(ChecksumAlgorithm);
    while (!in.atEnd()) {
        const QByteArray chunk = in.read(ChunkSize);
        if (chunk.isEmpty() && in.error() != QFileDevice::NoError) {
            report(reason, in.errorString());
            return CopyResult::SourceUnreadable;
        }
        hash.addData(chunk);
        if (out.write(chunk) != chunk.size()) {
            report(reason, out.errorString());
            return CopyResult::DestinationFailed;
        }
    }
    // A full disk often shows only when the buffered bytes are written out.
    // The bytes reach the disk with the whole set, at syncFolder().
    if (!out.flush()) {
        report(reason, out.errorString());
        return CopyResult::DestinationFailed;
    }
    if (checksum)
        *checksum = hash.result();
    return CopyResult::Copied;
}

QByteArray DiskFileOperations::checksum(const QString& path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash hash(ChecksumAlgorithm);
    if (!hash.addData(&file))
        return {};
    return hash.result();
}

bool DiskFileOperations::remove(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return true;
    return QFile::remove(path);
}

bool DiskFileOperations::rename(const QString& from, const QString& to)
{
    // rename() replaces the old file in one step; QFile::rename refuses an
    // existing destination, which would leave a moment with neither file.
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

bool DiskFileOperations::setPermissions(const QString& path, QFileDevice::Permissions permissions)
{
    return QFile::setPermissions(path, permissions);
}

bool DiskFileOperations::writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return createOwnerOnly(file) && file.write(bytes) == bytes.size()
        && flushToDisk(file, m_flushToDisk);
}

QByteArray DiskFileOperations::readFile(const QString& path, bool* ok)
{
    QFile file(path);
    const bool opened = QFileInfo(path).isFile() && file.open(QIODevice::ReadOnly);
    QByteArray bytes = opened ? file.readAll() : QByteArray();
    if (ok)
        *ok = opened && file.error() == QFileDevice::NoError;
    return bytes;
}

bool DiskFileOperations::makeFolder(const QString& path, QString* reason)
{
    std::error_code error;
    std::filesystem::create_directories(QFile::encodeName(path).toStdString(), error);
    if (!error)
        return true;
    report(reason, QString::fromStdString(error.message()));
    return false;
}

bool DiskFileOperations::removeFolder(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return true;
    // A link in the folder's place, or anywhere below it, is never
    // followed: removing a staging folder that leads into the program
    // folder would empty the program folder. A link in its place is not
    // removed either, so that the caller sees that the folder is still
    // there and says so.
    if (info.isSymLink())
        return false;
    return UnfollowedFolder(info.absolutePath()).removeTree(info.fileName());
}

bool DiskFileOperations::syncFolder(const QString& path)
{
    if (!m_flushToDisk)
        return QFileInfo(path).isDir();
    const int descriptor = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY);
    if (descriptor < 0)
        return false;
    // Every file written there and the folder's own entries, in one call
    // for the whole file system: a set of thousands of copies would wait on
    // the disk thousands of times, file by file.
    const bool synced = ::syncfs(descriptor) == 0;
    ::close(descriptor);
    return synced;
}

QStringList DiskFileOperations::fileNames(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}
