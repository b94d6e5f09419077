#include "DriveList.h"

#include <QDir>
#include <QFileInfo>
#include <QSignalBlocker>
#include <QStorageInfo>

namespace {

constexpr int RootRole = Qt::UserRole;

} // namespace

DriveList::DriveList(QWidget* parent)
    : QComboBox(parent)
{
    refresh();
}

void DriveList::refresh()
{
    const QString current = rootPath();
    const QSignalBlocker blocker(this);
    clear();
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        // Files mounted over files (a container's /etc/hosts) are no drives.
        if (!volume.isValid() || !QFileInfo(volume.rootPath()).isDir())
            continue;
        addVolume(volume.rootPath(), volume.name());
    }
    if (const int index = findData(current, RootRole); index >= 0)
        setCurrentIndex(index);
}

void DriveList::addVolume(const QString& rootPath, const QString& name)
{
    const QString shown = QDir::toNativeSeparators(rootPath);
    addItem(
        name.isEmpty() || name == rootPath ? shown : QStringLiteral("%1  [%2]").arg(shown, name),
        rootPath);
}

QString DriveList::rootPath() const
{
    return currentData(RootRole).toString();
}

bool DriveList::isReadable() const
{
    const QString root = rootPath();
    if (root.isEmpty())
        return false;
    const QStorageInfo volume(root);
    return (!volume.isValid() || volume.isReady()) && QFileInfo(root).isDir()
        && QDir(root).isReadable();
}

void DriveList::showVolumeOf(const QString& path)
{
    const QString absolute = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    int best = -1;
    qsizetype bestLength = -1;
    for (int i = 0; i < count(); ++i) {
        const QString root = QDir::cleanPath(itemData(i, RootRole).toString());
        const bool holds
            = absolute == root || absolute.startsWith(root.endsWith(u'/') ? root : root + u'/');
        if (holds && root.size() > bestLength) {
            best = i;
            bestLength = root.size();
        }
    }
    const QSignalBlocker blocker(this);
    setCurrentIndex(best);
}
