#include "SourceFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString kindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return QStringLiteral("a folder, not a file");
    if (S_ISFIFO(mode))
        return QStringLiteral("a pipe, not a file; save the export to a file first");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("a device, not a file");
    if (S_ISSOCK(mode))
        return QStringLiteral("a socket, not a file");
    return QStringLiteral("not a regular file");
}

} // namespace

QString SourceFile::open(const QString& path, QFile& file)
{
    // Without O_NONBLOCK, opening a pipe would wait for its writer.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    struct stat status {
    };
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        const QString why = kindOf(status.st_mode);
        ::close(fd);
        return why;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return file.errorString();
    }
    return {};
}
