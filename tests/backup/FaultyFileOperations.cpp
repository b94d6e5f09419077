#include "FaultyFileOperations.h"

#include <QFile>
#include <QFileInfo>

namespace {

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        && file.write(bytes) == bytes.size();
}

} // namespace

BackupFileOperations::CopyResult FaultyFileOperations::copy(
    const QString& source, const QString& destination, QString* reason)
{
    m_copies.append(
        QFileInfo(source).fileName() + QStringLiteral(" -> ") + QFileInfo(destination).fileName());
    const int n = m_copies.size();
    if (m_unreadable.contains(QFileInfo(source).fileName())) {
        if (reason)
            *reason = QStringLiteral("Permission denied");
        return CopyResult::SourceUnreadable;
    }
    if (m_failingCopies.contains(n)) {
        writeFile(destination, {});
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
            writeFile(destination, bytes.first(m_room));
            m_room = -1;
            if (reason)
                *reason = QStringLiteral("No space left on device");
            return CopyResult::DestinationFailed;
        }
        m_room -= bytes.size();
    }
    if (m_corruptCopies.contains(n) && !bytes.isEmpty())
        bytes.back() = char(bytes.back() ^ 0x55);
    return writeFile(destination, bytes) ? CopyResult::Copied : CopyResult::DestinationFailed;
}

bool FaultyFileOperations::replace(const QString& from, const QString& to)
{
    if (m_failingReplacements.contains(++m_replacements))
        return false;
    return DiskFileOperations::replace(from, to);
}
