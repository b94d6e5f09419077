#include "InstalledCopy.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

InstalledCopy::InstalledCopy()
{
    QDir().mkpath(home());
}

bool InstalledCopy::install()
{
    QProcess cmake;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DESTDIR"), root());
    cmake.setProcessEnvironment(environment);
    cmake.setProcessChannelMode(QProcess::MergedChannels);
    cmake.start(QStringLiteral(HALVORN_CMAKE_COMMAND),
        { QStringLiteral("--install"), QStringLiteral(HALVORN_BUILD_DIR),
            QStringLiteral("--prefix"), QStringLiteral("/usr") });
    if (!cmake.waitForFinished(120000) || cmake.exitStatus() != QProcess::NormalExit
        || cmake.exitCode() != 0) {
        m_error = QString::fromLocal8Bit(cmake.readAll()) + cmake.errorString();
        return false;
    }
    return true;
}

QStringList InstalledCopy::filesBelow(const QString& folder)
{
    QStringList files;
    const QDir base(folder);
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(base.relativeFilePath(it.next()));
    files.sort();
    return files;
}

QProcessEnvironment InstalledCopy::userEnvironment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : { "XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME",
             "XDG_STATE_HOME", "XDG_DATA_DIRS", "XDG_CONFIG_DIRS" })
        environment.remove(QString::fromLatin1(name));
    environment.insert(QStringLiteral("HOME"), home());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    return environment;
}

std::unique_ptr<QProcess> InstalledCopy::start(
    const QString& program, const QStringList& arguments) const
{
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(userEnvironment());
    process->setWorkingDirectory(home());
    process->start(program, arguments);
    process->waitForStarted();
    return process;
}

InstalledCopy::Result InstalledCopy::run(const QString& program, const QStringList& arguments) const
{
    const std::unique_ptr<QProcess> process = start(program, arguments);
    Result result;
    if (!process->waitForFinished(60000) || process->exitStatus() != QProcess::NormalExit) {
        process->kill();
        process->waitForFinished();
        return result;
    }
    result.exitCode = process->exitCode();
    result.out = QString::fromUtf8(process->readAllStandardOutput());
    result.err = QString::fromUtf8(process->readAllStandardError());
    return result;
}

bool InstalledCopy::waitForFile(const QString& path, QProcess& running)
{
    const QDeadlineTimer deadline(30000);
    while (!QFileInfo::exists(path)) {
        if (deadline.hasExpired() || running.state() == QProcess::NotRunning)
            return false;
        running.waitForFinished(50);
    }
    return true;
}
