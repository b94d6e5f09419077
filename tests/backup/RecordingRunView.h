#pragma once

#include "backup/BackupRunView.h"

#include <QList>
#include <QStringList>

// Records what a run showed: the status texts in order (a text set again
// while it shows counts once), the progress values, and the screen-side
// effects.
class RecordingRunView : public BackupRunView
{
public:
    void setStatusText(const QString& text) override
    {
        if (statuses.isEmpty() || statuses.last() != text)
            statuses.append(text);
        statusText = text;
    }
    void setStatusPanelVisible(bool visible) override { statusPanelVisible = visible; }
    void setProgressBarVisible(bool visible) override { progressBarVisible = visible; }
    void setProgressMaximum(int maximum) override { progressMaximum = maximum; }
    void setProgressValue(int value) override { progress.append(value); }
    void setBusy(bool on) override { busy = on; }
    void letEventsRun() override { ++eventsRun; }
    void repaint() override { ++repaints; }
    void disableRunAction() override { ++runActionDisabled; }
    void returnToProgramVolume() override { ++returnedToProgramVolume; }
    void fileCopied(const QString& source, const QString& destination) override
    {
        copied.append({ source, destination });
    }

    QStringList statuses;
    QString statusText;
    QList<int> progress;
    int progressMaximum = 0;
    bool statusPanelVisible = false;
    bool progressBarVisible = false;
    bool busy = false;
    int eventsRun = 0;
    int repaints = 0;
    int runActionDisabled = 0;
    int returnedToProgramVolume = 0;
    QList<QStringList> copied;
};
