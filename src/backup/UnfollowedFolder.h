#pragma once

#include <QList>
#include <QString>

// A folder held open by its file descriptor, whose entries are looked at,
// opened, moved and removed relative to it without ever following a link.
// The folder a user chose may be reached through links; what lies below it
// in a backup folder may have come from anyone (an archive keeps links, a
// shared stick holds what another computer put there), and a link there
// must never lead a backup or restore outside the folder.
class UnfollowedFolder
{
public:
    enum class Kind { Missing, File, Folder, Link, Other };
    struct Entry {
        QString name;
        Kind kind = Kind::Missing;
    };

    // Opens path itself as it is reached.
    explicit UnfollowedFolder(const QString& path);
    UnfollowedFolder(UnfollowedFolder&& other) noexcept;
    UnfollowedFolder& operator=(UnfollowedFolder&& other) noexcept;
    UnfollowedFolder(const UnfollowedFolder&) = delete;
    UnfollowedFolder& operator=(const UnfollowedFolder&) = delete;
    ~UnfollowedFolder();

    bool isOpen() const { return m_descriptor >= 0; }

    // The folder name inside this one; not open when name is missing, a
    // link or anything but a folder.
    UnfollowedFolder folder(const QString& name) const;
    // What the name is, the link itself and not what it points at.
    Kind kindOf(const QString& name) const;
    // Whether the folder belongs to the user running the program: a
    // folder of another's making is none of ours.
    bool isOwnedByUs() const;
    // Every entry but "." and "..", by name.
    QList<Entry> entries() const;

    // Removes the entry name and, when it is a folder, everything in it;
    // a link is removed as a link and nothing it points at is touched. True
    // when it is gone, also when it never existed.
    bool removeTree(const QString& name) const;

    static QString kindName(Kind kind);

private:
    explicit UnfollowedFolder(int descriptor);

    int m_descriptor = -1;
};
