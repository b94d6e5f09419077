#pragma once

#include <QString>

// What a backup or restore run shows while it works: the backup screen's
// status panel, progress bar and pointer, and the screen's run command. The
// command line shows the copied files instead; tests record everything.
class BackupRunView
{
public:
    virtual ~BackupRunView() = default;

    virtual void setStatusText(const QString& text) = 0;
    virtual void setStatusPanelVisible(bool visible) = 0;
    virtual void setProgressBarVisible(bool visible) = 0;
    virtual void setProgressMaximum(int maximum) = 0;
    virtual void setProgressValue(int value) = 0;
    virtual void setBusy(bool busy) = 0;

    // Lets pending window events run: painting and clicks.
    virtual void letEventsRun() = 0;
    // Repaints the window without taking input; runs during the pauses.
    virtual void repaint() = 0;

    // The run's action button and menu item stay disabled until the user
    // picks another folder: after a finished password backup or a restore.
    virtual void disableRunAction() = 0;
    // Moves the drive and folder lists back to the program folder's volume,
    // after the password backup found no usable disk.
    virtual void returnToProgramVolume() = 0;

    // Whether someone is there to put in a new disk when one fills up. A run
    // nobody watches ends at the first copy that cannot be written, with the
    // system's reason.
    virtual bool canSwapDisks() const { return true; }

    // Each file the run copied into place and checked.
    virtual void fileCopied(const QString& source, const QString& destination) = 0;
};
