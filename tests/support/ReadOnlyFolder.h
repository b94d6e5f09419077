#pragma once

#include <QFileDevice>
#include <QString>

// Makes a folder refuse new files for the lifetime of the object, so that a
// whole-file rewrite (a temporary file, then a rename) fails while the files
// already there stay as they are. Permissions alone do not stop root, so
// under root the folder is also marked immutable.
class ReadOnlyFolder
{
public:
    explicit ReadOnlyFolder(QString path);
    ~ReadOnlyFolder();
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

    // False when this system offers no way to stop writes; tests then skip.
    bool isEffective() const { return m_effective; }

private:
    bool setImmutable(bool on) const;

    QString m_path;
    QFileDevice::Permissions m_permissions;
    bool m_immutable = false;
    bool m_effective = false;
};
