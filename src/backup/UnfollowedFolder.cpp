#include "UnfollowedFolder.h"

#include <QFile>

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

constexpr int FolderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

UnfollowedFolder::Kind kindOfMode(mode_t mode)
{
    if (S_ISREG(mode))
        return UnfollowedFolder::Kind::File;
    if (S_ISDIR(mode))
        return UnfollowedFolder::Kind::Folder;
    if (S_ISLNK(mode))
        return UnfollowedFolder::Kind::Link;
    return UnfollowedFolder::Kind::Other;
}

bool removeTreeAt(int parent, const QByteArray& name)
{
    struct stat status {
    };
    if (::fstatat(parent, name.constData(), &status, AT_SYMLINK_NOFOLLOW) != 0)
        return errno == ENOENT;
    if (!S_ISDIR(status.st_mode))
        return ::unlinkat(parent, name.constData(), 0) == 0 || errno == ENOENT;
    const int descriptor = ::openat(parent, name.constData(), FolderFlags);
    if (descriptor < 0)
        return false;
    DIR* dir = ::fdopendir(descriptor);
    if (!dir) {
        ::close(descriptor);
        return false;
    }
    bool removed = true;
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray child(entry->d_name);
        if (child != "." && child != "..")
            removed = removeTreeAt(descriptor, child) && removed;
    }
    ::closedir(dir);
    return removed && (::unlinkat(parent, name.constData(), AT_REMOVEDIR) == 0 || errno == ENOENT);
}

} // namespace

UnfollowedFolder::UnfollowedFolder(const QString& path)
    : m_descriptor(::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC))
{ }

UnfollowedFolder::UnfollowedFolder(int descriptor)
    : m_descriptor(descriptor)
{ }

UnfollowedFolder::UnfollowedFolder(UnfollowedFolder&& other) noexcept
    : m_descriptor(std::exchange(other.m_descriptor, -1))
{ }

UnfollowedFolder& UnfollowedFolder::operator=(UnfollowedFolder&& other) noexcept
{
    std::swap(m_descriptor, other.m_descriptor);
    return *this;
}

UnfollowedFolder::~UnfollowedFolder()
{
    if (m_descriptor >= 0)
        ::close(m_descriptor);
}

UnfollowedFolder UnfollowedFolder::folder(const QString& name) const
{
    if (!isOpen())
        return UnfollowedFolder(-1);
    return UnfollowedFolder(
        ::openat(m_descriptor, QFile::encodeName(name).constData(), FolderFlags));
}

UnfollowedFolder::Kind UnfollowedFolder::kindOf(const QString& name) const
{
    struct stat status {
    };
    if (!isOpen()
        || ::fstatat(
               m_descriptor, QFile::encodeName(name).constData(), &status, AT_SYMLINK_NOFOLLOW)
            != 0)
        return Kind::Missing;
    return kindOfMode(status.st_mode);
}

bool UnfollowedFolder::isOwnedByUs() const
{
    struct stat status {
    };
    return isOpen() && ::fstat(m_descriptor, &status) == 0 && status.st_uid == ::geteuid();
}

QList<UnfollowedFolder::Entry> UnfollowedFolder::entries() const
{
    QList<Entry> found;
    if (!isOpen())
        return found;
    // fdopendir takes the descriptor it is given; the folder keeps its own.
    const int descriptor = ::dup(m_descriptor);
    DIR* dir = descriptor >= 0 ? ::fdopendir(descriptor) : nullptr;
    if (!dir) {
        if (descriptor >= 0)
            ::close(descriptor);
        return found;
    }
    ::rewinddir(dir);
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        struct stat status {
        };
        const Kind kind
            = ::fstatat(m_descriptor, name.constData(), &status, AT_SYMLINK_NOFOLLOW) == 0
            ? kindOfMode(status.st_mode)
            : Kind::Missing;
        found.append({ QFile::decodeName(name), kind });
    }
    ::closedir(dir);
    return found;
}

bool UnfollowedFolder::removeTree(const QString& name) const
{
    return isOpen() && removeTreeAt(m_descriptor, QFile::encodeName(name));
}

QString UnfollowedFolder::kindName(Kind kind)
{
    switch (kind) {
    case Kind::Missing:
        return QStringLiteral("missing");
    case Kind::File:
        return QStringLiteral("a file");
    case Kind::Folder:
        return QStringLiteral("a folder");
    case Kind::Link:
        return QStringLiteral("a link");
    case Kind::Other:
        break;
    }
    return QStringLiteral("neither a file nor a folder");
}
