#include "DiskFull.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <sys/statvfs.h>
#include <unistd.h>

bool DiskFull::isFullError(int error)
{
    return error == ENOSPC || error == EDQUOT;
}

bool DiskFull::isFull(const QString& folder)
{
    struct statvfs disk {
    };
    if (::statvfs(QFile::encodeName(folder).constData(), &disk) != 0)
        return false;
    // The blocks kept for the administrator are the administrator's to use.
    const bool administrator = ::geteuid() == 0;
    const auto blocks = administrator ? disk.f_bfree : disk.f_bavail;
    const auto entries = administrator ? disk.f_ffree : disk.f_favail;
    // A file system that keeps no count of file entries reports none.
    return blocks == 0 || (disk.f_files > 0 && entries == 0);
}

QString DiskFull::explain(const QString& reason, const QString& folder)
{
    const bool wordless = reason.isEmpty() || reason == QLatin1String("Unknown error");
    const bool systemWords = reason.contains(QLatin1String(std::strerror(ENOSPC)))
        || reason.contains(QLatin1String(std::strerror(EDQUOT)));
    return systemWords || (wordless && isFull(folder)) ? Reason : reason;
}
