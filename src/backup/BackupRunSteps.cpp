#include "BackupRunSteps.h"

#include "BackupRunView.h"
#include "services/Clock.h"

#include <QDir>

const QString BackupRunSteps::DeletingOldFilesText = QStringLiteral("Deleting Old Files");
const QString BackupRunSteps::DiskErrorTitle = QStringLiteral("Disk Error");
const QString BackupRunSteps::BackupUtilityTitle = QStringLiteral("Backup Utility");

BackupRunSteps::BackupRunSteps(
    const BackupServices& services, const QString& targetPath, BackupOutcome& outcome)
    : m_services(services)
    , m_targetPath(targetPath)
    , m_outcome(outcome)
{ }

MessageService::Answer BackupRunSteps::askGoAhead(const QString& text)
{
    return m_services.messages.show({
        text,
        QStringLiteral("Delete Files"),
        MessageService::Icon::Question,
        MessageService::Buttons::YesNoCancel,
        MessageService::Answer::No,
    });
}

void BackupRunSteps::showTrackerRunStarting(const QString& runningText)
{
    BackupRunView& view = m_services.view;
    status(DeletingOldFilesText);
    view.setStatusPanelVisible(true);
    view.letEventsRun();
    pause(2);
    view.letEventsRun();
    view.setProgressMaximum(ProgressMaximum);
    status(runningText);
    view.setStatusPanelVisible(true);
    view.setProgressBarVisible(true);
    pause(1);
    view.letEventsRun();
}

void BackupRunSteps::reportNotCopied(const QString& heading, const QString& title)
{
    m_services.messages.warn(heading + u'\n' + m_outcome.notCopied.join(u'\n'), title);
}

void BackupRunSteps::note(const QString& fileName, const QString& reason)
{
    m_outcome.notCopied.append(QStringLiteral("%1: %2").arg(fileName, reason));
}

void BackupRunSteps::status(const QString& text)
{
    m_services.view.setStatusText(text);
}

void BackupRunSteps::pause(int seconds)
{
    m_services.clock.pauseSeconds(seconds, [this] { m_services.view.repaint(); });
}

QString BackupRunSteps::livePath(const QString& name) const
{
    return m_services.programFolder.filePath(name);
}

QString BackupRunSteps::backupPath(const QString& name) const
{
    return QDir(m_targetPath).filePath(name);
}

QHash<QString, QStringList> BackupRunSteps::namesByLowerCase(const QStringList& names)
{
    QHash<QString, QStringList> byLowerCase;
    for (const QString& name : names)
        byLowerCase[name.toLower()].append(name);
    return byLowerCase;
}
