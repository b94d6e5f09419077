#include "DataFolderLock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QTemporaryFile>

#include <filesystem>
#include <system_error>
#include <utility>

DataFolderLock::DataFolderLock(QString folder)
    : m_folder(std::move(folder))
    , m_lock(QDir(m_folder).filePath(FileName))
{
    // The program holds the lock for as long as it runs, so its age says
    // nothing; only a lock whose process is gone is stale.
    m_lock.setStaleLockTime(0);
}

DataFolderLock::Outcome DataFolderLock::acquire()
{
    if (m_folder.isEmpty()) {
        m_problem = QStringLiteral("This system names no data folder for Halvorn's files.");
        return Outcome::Unusable;
    }
    const QString shown = QDir::toNativeSeparators(m_folder);
    std::error_code error;
    std::filesystem::create_directories(
        std::filesystem::path(QFile::encodeName(m_folder).toStdString()), error);
    if (error || !QFileInfo(m_folder).isDir()) {
        const QString reason = error ? QString::fromStdString(error.message())
                                     : QStringLiteral("it is not a folder");
        m_problem = QStringLiteral("The folder %1 cannot be created: %2.").arg(shown, reason);
        return Outcome::Unusable;
    }

    // A folder whose files can be read but not replaced would let the
    // program run on as if its saves worked; try a file first.
    QTemporaryFile probe(QDir(m_folder).filePath(QStringLiteral("halvorn-probe-XXXXXX")));
    if (!probe.open()) {
        m_problem = QStringLiteral("Files cannot be written in the folder %1: %2.")
                        .arg(shown, probe.errorString());
        return Outcome::Unusable;
    }
    probe.close();

    if (m_lock.tryLock(0))
        return Outcome::Acquired;
    if (m_lock.error() == QLockFile::LockFailedError) {
        m_problem = QStringLiteral("The folder %1 is in use by another copy of Halvorn").arg(shown);
        // A copy on another computer (a shared folder) cannot be checked
        // for life from here; naming the computer tells the user where.
        qint64 pid = 0;
        QString hostName;
        QString appName;
        if (m_lock.getLockInfo(&pid, &hostName, &appName) && !hostName.isEmpty()
            && hostName != QSysInfo::machineHostName())
            m_problem += QStringLiteral(" on the computer %1").arg(hostName);
        m_problem += u'.';
        return Outcome::InUse;
    }
    m_problem
        = QStringLiteral("The folder %1 cannot be locked for this copy of Halvorn.").arg(shown);
    return Outcome::Unusable;
}
