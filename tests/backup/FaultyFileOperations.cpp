#include "FaultyFileOperations.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

namespace {

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        && file.write(bytes) == bytes.size();
}

} // namespace

void FaultyFileOperations::step()
{
    ++m_steps;
    if (m_crashAt > 0 && m_steps >= m_crashAt)
        throw Crash();
}

BackupFileOperations::CopyResult FaultyFileOperations::copy(
    const QString& source, const QString& destination, QByteArray* checksum, QString* reason)
{
    step();
    m_copies.append(
        QFileInfo(source).fileName() + QStringLiteral(" -> ") + QFileInfo(destination).fileName());
    const int n = m_copies.size();
    if (m_unreadable.contains(QFileInfo(source).fileName())) {
        if (reason)
            *reason = QStringLiteral("Permission denied");
        return CopyResult::SourceUnreadable;
    }
    if (m_failingCopies.contains(n)) {
        writeBytes(destination, {});
        if (reason)
            *reason = QStringLiteral("No space left on device");
        return CopyResult::DestinationFailed;
    }
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return CopyResult::SourceUnreadable;
    QByteArray bytes = in.readAll();
    if (m_room >= 0) {
        if (bytes.size() > m_room) {
            writeBytes(destination, bytes.first(m_room));
            m_room = -1;
            if (reason)
                *reason = QStringLiteral("No space left on device");
            return CopyResult::DestinationFailed;
        }
        m_room -= bytes.size();
    }
    if (checksum)
        *checksum = QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
    if (m_corruptCopies.contains(n) && !bytes.isEmpty())
        bytes.back() = char(bytes.back() ^ 0x55);
    return DiskFileOperations::writeFile(destination, bytes) ? CopyResult::Copied
                                                             : CopyResult::DestinationFailed;
}

bool FaultyFileOperations::remove(const QString& path)
{
    step();
    return DiskFileOperations::remove(path);
}

bool FaultyFileOperations::rename(const QString& from, const QString& to)
{
    step();
    if (m_failingRenames.contains(++m_renames))
        return false;
    return DiskFileOperations::rename(from, to);
}

bool FaultyFileOperations::setPermissions(const QString& path, QFileDevice::Permissions permissions)
{
    step();
    return DiskFileOperations::setPermissions(path, permissions);
}

bool FaultyFileOperations::writeFile(const QString& path, const QByteArray& bytes)
{
    step();
    if (m_failingWrites.contains(QFileInfo(path).fileName()))
        return false;
    return DiskFileOperations::writeFile(path, bytes);
}

bool FaultyFileOperations::makeFolder(const QString& path, QString* reason)
{
    step();
    return DiskFileOperations::makeFolder(path, reason);
}

bool FaultyFileOperations::removeFolder(const QString& path)
{
    step();
    return DiskFileOperations::removeFolder(path);
}

bool FaultyFileOperations::syncFolder(const QString& path)
{
    step();
    return DiskFileOperations::syncFolder(path);
}
