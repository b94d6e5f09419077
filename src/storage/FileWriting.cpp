#include "FileWriting.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>

#include <utility>

namespace {

FileWriting::DeviceFilter& deviceFilter()
{
    static FileWriting::DeviceFilter filter;
    return filter;
}

// The reason a device gives, or nothing when it gave none.
QString deviceReason(const QIODevice& device)
{
    const QString reason = device.errorString();
    if (reason.isEmpty() || reason == QLatin1String("Unknown error"))
        return {};
    return reason;
}

} // namespace

void FileWriting::setDeviceFilter(DeviceFilter filter)
{
    deviceFilter() = std::move(filter);
}

QString FileWriting::shortWriteReason(qint64 written, qint64 size)
{
    // Grouped the same way whatever the system's language, like every other
    // text the program shows.
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    return QStringLiteral("only %1 of %2 bytes could be written; the disk may be full")
        .arg(english.toString(written), english.toString(size));
}

Outcome FileWriting::writeAll(QIODevice& device, const QString& fileName, const QByteArray& bytes)
{
    std::unique_ptr<QIODevice> filtered;
    if (deviceFilter())
        filtered = deviceFilter()(device);
    QIODevice& target = filtered ? *filtered : device;

    qint64 written = 0;
    while (written < bytes.size()) {
        const qint64 count = target.write(bytes.constData() + written, bytes.size() - written);
        if (count <= 0) {
            const QString reason = deviceReason(target);
            if (count < 0 && written == 0 && !reason.isEmpty())
                return Outcome::failure(fileName, reason);
            return Outcome::failure(fileName, shortWriteReason(written, bytes.size()));
        }
        written += count;
    }
    return Outcome::success();
}

bool FileWriting::openForReplacement(QSaveFile& file, QString* reason)
{
    const QFileInfo info(file.fileName());
    if (info.isSymLink() && !info.exists()) {
        if (reason)
            *reason = QStringLiteral("it is a link to %1, which does not exist")
                          .arg(QDir::toNativeSeparators(info.symLinkTarget()));
        return false;
    }
    if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return true;
    if (reason)
        *reason = file.errorString();
    return false;
}

Outcome FileWriting::commit(QSaveFile& file, const QByteArray& bytes)
{
    const QString fileName = QFileInfo(file.fileName()).fileName();
    if (Outcome outcome = writeAll(file, fileName, bytes); !outcome.succeeded) {
        file.cancelWriting();
        return outcome;
    }
    if (!file.commit())
        return Outcome::failure(fileName, file.errorString());
    return Outcome::success();
}

Outcome FileWriting::replaceFile(const QString& filePath, const QByteArray& bytes,
    std::optional<QFileDevice::Permissions> permissions)
{
    QSaveFile file(filePath);
    const QString fileName = QFileInfo(filePath).fileName();
    if (QString reason; !openForReplacement(file, &reason))
        return Outcome::failure(fileName, reason);
    if (permissions && !file.setPermissions(*permissions))
        return Outcome::failure(fileName, file.errorString());
    return commit(file, bytes);
}
