#pragma once

#include "BackupOutcome.h"
#include "BackupServices.h"
#include "services/MessageService.h"

#include <QHash>
#include <QString>
#include <QStringList>

// What the backup run and the restore run share: the folder the run copies
// to or from, the outcome it builds up, and the small steps both take with
// the user and the screen (status texts, paced pauses, the go-ahead
// question, the list of files not copied).
class BackupRunSteps
{
public:
    static const QString DeletingOldFilesText;
    static const QString DiskErrorTitle;
    static const QString BackupUtilityTitle;
    // The progress bar steps 1 to 4 whatever the number of files.
    static constexpr int ProgressMaximum = 4;

    BackupRunSteps(
        const BackupServices& services, const QString& targetPath, BackupOutcome& outcome);

    const BackupServices& services() const { return m_services; }
    const QString& targetPath() const { return m_targetPath; }
    BackupOutcome& outcome() { return m_outcome; }

    MessageService::Answer askGoAhead(const QString& text);
    // The paced start of a tracker run: "Deleting Old Files", then the
    // run's own text with the progress bar.
    void showTrackerRunStarting(const QString& runningText);
    void reportNotCopied(const QString& heading, const QString& title);
    void note(const QString& fileName, const QString& reason);
    void status(const QString& text);
    void pause(int seconds);

    // A program-folder file in the spelling it has there (any letter case).
    QString livePath(const QString& name) const;
    QString backupPath(const QString& name) const;
    // The files of a folder by their lower-case names, listed once a run.
    static QHash<QString, QStringList> namesByLowerCase(const QStringList& names);

private:
    const BackupServices& m_services;
    QString m_targetPath;
    BackupOutcome& m_outcome;
};
