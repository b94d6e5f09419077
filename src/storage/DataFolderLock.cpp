#include "DataFolderLock.h"

#include "DiskFull.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <filesystem>
#include <system_error>
#include <utility>

namespace {

// About the size of a lock file's contents.
constexpr qint64 ProbeSize = 256;

} // namespace

DataFolderLock::DataFolderLock(QString folder)
    : m_folder(std::move(folder))
    , m_lock(QDir(m_folder).filePath(FileName))
{ }

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
    // program run on as if its saves worked; try a file first, with as many
    // bytes as the lock takes, so that a full disk shows here.
    QTemporaryFile probe(QDir(m_folder).filePath(QStringLiteral("halvorn-probe-XXXXXX")));
    if (!probe.open() || probe.write(QByteArray(ProbeSize, '\n')) != ProbeSize || !probe.flush()) {
        m_problem = QStringLiteral("Files cannot be written in the folder %1: %2.")
                        .arg(shown, DiskFull::explain(probe.errorString(), m_folder));
        return Outcome::Unusable;
    }
    probe.close();

    switch (m_lock.claim()) {
    case LockFileClaim::Outcome::Acquired:
        return Outcome::Acquired;
    case LockFileClaim::Outcome::InUse:
        m_problem = QStringLiteral("The folder %1 is in use by another copy of Halvorn").arg(shown);
        // A copy on another computer (a shared folder) cannot be checked
        // for life from here; naming the computer tells the user where.
        if (const QString computer = m_lock.otherComputer(); !computer.isEmpty())
            m_problem += QStringLiteral(" on the computer %1").arg(computer);
        m_problem += u'.';
        return Outcome::InUse;
    case LockFileClaim::Outcome::Failed:
        break;
    }
    m_problem
        = QStringLiteral("The folder %1 cannot be locked for this copy of Halvorn").arg(shown);
    if (!m_lock.failure().isEmpty())
        m_problem += QStringLiteral(": ") + m_lock.failure();
    m_problem += u'.';
    return Outcome::Unusable;
}
