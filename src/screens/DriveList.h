#pragma once

#include <QComboBox>
#include <QString>

// The drive list of a screen: the mounted volumes of the machine, each
// shown by its mount point and name. Volumes that cannot be read are listed
// too, so that choosing one can be answered with a message.
class DriveList : public QComboBox
{
    Q_OBJECT

public:
    explicit DriveList(QWidget* parent = nullptr);

    // Reads the mounted volumes again, keeping the current one when it is
    // still there.
    void refresh();

    // The mount point of the chosen volume.
    QString rootPath() const;
    // Whether the chosen volume can be read now.
    bool isReadable() const;

    // Chooses the volume that holds path (the longest mount point above it)
    // without announcing a change.
    void showVolumeOf(const QString& path);

    // Adds a volume that mountedVolumes() does not report (tests).
    void addVolume(const QString& rootPath, const QString& name);
};
