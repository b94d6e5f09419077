#include "ReportProgram.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <unistd.h>
#include <vector>

bool ReportProgram::isReportCommandLine(const QStringList& arguments)
{
    return arguments.contains(QStringLiteral("report"));
}

QString ReportProgram::locate(const QString& executableFolder)
{
    const QDir folder(executableFolder);
    for (const QString& candidate :
        { folder.filePath(QStringLiteral(HALVORN_REPORT_PROGRAM_FROM_BINDIR)),
            folder.filePath(FileName) }) {
        const QFileInfo program(candidate);
        if (program.isFile() && program.isExecutable())
            return QDir::cleanPath(program.absoluteFilePath());
    }
    return {};
}

QString ReportProgram::replaceProcess(
    const QString& program, int argc, char* argv[], const QString& defaultFolder)
{
    QByteArray path = QFile::encodeName(program);
    std::vector<char*> arguments { path.data() };
    for (int i = 1; i < argc; ++i)
        arguments.push_back(argv[i]);
    arguments.push_back(nullptr);
    if (!qputenv(DefaultFolderVariable, QFile::encodeName(defaultFolder)))
        return QStringLiteral("the environment could not be set");
    execv(path.constData(), arguments.data());
    const int error = errno;
    qunsetenv(DefaultFolderVariable);
    return QString::fromLocal8Bit(std::strerror(error));
}
