#include "VaultFile.h"

#include "PasswordVault.h"
#include "storage/FileReading.h"
#include "storage/FileWriting.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <fcntl.h>
#include <unistd.h>

#include <utility>

namespace {

constexpr QFileDevice::Permissions OwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

// The rename is only durable once the folder's own entry list is on disk.
void syncFolder(const QString& folder)
{
    const int descriptor = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (descriptor >= 0) {
        ::fsync(descriptor);
        ::close(descriptor);
    }
}

} // namespace

VaultFile::VaultFile(ProgramFolder folder)
    : m_folder(std::move(folder))
{ }

QString VaultFile::path() const
{
    return m_folder.filePath(PasswordVault::FileName);
}

bool VaultFile::exists() const
{
    return QFileInfo::exists(path());
}

std::optional<QByteArray> VaultFile::read(QString& error) const
{
    return FileReading::readAll(path(), error);
}

Outcome VaultFile::write(const QByteArray& bytes) const
{
    QSaveFile file(path());
    // The temporary file is owner-only from its creation; set again so the
    // renamed file never takes an older vault's wider permissions.
    if (QString reason; !FileWriting::openForReplacement(file, &reason))
        return Outcome::failure(PasswordVault::FileName, reason);
    if (!file.setPermissions(OwnerOnly))
        return Outcome::failure(PasswordVault::FileName, file.errorString());
    if (Outcome written = FileWriting::writeAll(file, PasswordVault::FileName, bytes); !written) {
        file.cancelWriting();
        return written;
    }
    if (!file.flush() || ::fsync(file.handle()) != 0) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return Outcome::failure(PasswordVault::FileName, reason);
    }
    if (!file.commit())
        return Outcome::failure(PasswordVault::FileName, file.errorString());
    syncFolder(m_folder.path());
    return Outcome::success();
}

Outcome VaultFile::remove() const
{
    QFile file(path());
    if (!file.exists() || file.remove()) {
        syncFolder(m_folder.path());
        return Outcome::success();
    }
    return Outcome::failure(PasswordVault::FileName, file.errorString());
}
