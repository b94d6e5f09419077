#pragma once

#include "backup/BackupRunView.h"
#include "services/Clock.h"
#include "services/MessageService.h"

#include <QIODevice>
#include <QString>

// The user's side of a backup or restore run with nobody at the screen, as
// the command line runs it from a scheduled job: the command itself is the
// go-ahead, a prompt for a new disk is answered Cancel (nobody can swap
// one), every message goes to the error stream and every file copied to the
// output. The runs are not paced.
class UnattendedBackupRun : public MessageService, public BackupRunView, public Clock
{
public:
    UnattendedBackupRun(QIODevice& out, QIODevice& err, QString programName);

    QString statusText() const { return m_statusText; }

    // MessageService
    Answer show(const Message& message) override;
    std::optional<QString> input(
        const QString& prompt, const QString& title, const QString& defaultText) override;

    // BackupRunView
    void setStatusText(const QString& text) override { m_statusText = text; }
    void setStatusPanelVisible(bool) override { }
    void setProgressBarVisible(bool) override { }
    void setProgressMaximum(int) override { }
    void setProgressValue(int) override { }
    void setBusy(bool) override { }
    void letEventsRun() override { }
    void repaint() override { }
    void disableRunAction() override { }
    void returnToProgramVolume() override { }
    bool canSwapDisks() const override { return false; }
    void fileCopied(const QString& source, const QString& destination) override;

    // Clock
    QDateTime now() const override { return QDateTime::currentDateTime(); }
    void pauseOneSecond() override { }
    void pauseTwoSeconds() override { }
    // A command-line run has no event loop to run later work in.
    void runLater(std::chrono::milliseconds, QObject*, std::function<void()>) override { }

private:
    QIODevice& m_out;
    QIODevice& m_err;
    QString m_programName;
    QString m_statusText;
};
