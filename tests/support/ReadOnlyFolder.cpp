#include "ReadOnlyFolder.h"

#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <utility>

namespace {

const QFileDevice::Permissions readOnly = QFileDevice::ReadOwner | QFileDevice::ExeOwner
    | QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther
    | QFileDevice::ExeOther;

bool canCreateFileIn(const QString& path)
{
    QFile probe(QDir(path).filePath(QStringLiteral("probe.tmp")));
    if (!probe.open(QIODevice::WriteOnly))
        return false;
    probe.close();
    probe.remove();
    return true;
}

} // namespace

ReadOnlyFolder::ReadOnlyFolder(QString path)
    : m_path(std::move(path))
    , m_permissions(QFile::permissions(m_path))
{
    QFile::setPermissions(m_path, readOnly);
    if (canCreateFileIn(m_path))
        m_immutable = setImmutable(true);
    m_effective = !canCreateFileIn(m_path);
}

ReadOnlyFolder::~ReadOnlyFolder()
{
    if (m_immutable)
        setImmutable(false);
    QFile::setPermissions(m_path, m_permissions);
}

bool ReadOnlyFolder::setImmutable(bool on) const
{
    const int fd = ::open(QFile::encodeName(m_path).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return false;
    int flags = 0;
    bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (ok) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        ok = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return ok;
}
