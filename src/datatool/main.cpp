#include "datatool/DataTool.h"
#include "datatool/ReportProgram.h"
#include "storage/DataFolderLocation.h"

#include <QCoreApplication>
#include <QFile>

#include <unistd.h>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    // Named as the program is, so that both find the same data folder.
    QCoreApplication::setApplicationName(DataFolderLocation::applicationName());
    const QString defaultFolder = DataFolderLocation::forApplication().dataFolder();
    QFile out;
    QFile err;
    // By descriptor, not through stdio's FILE: its buffer would take every
    // byte and lose the failure of a full output at exit, unseen.
    out.open(STDOUT_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered);
    err.open(STDERR_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered);

    const QStringList arguments = QCoreApplication::arguments().mid(1);
    if (ReportProgram::isReportCommandLine(arguments)) {
        const QString program = ReportProgram::locate(QCoreApplication::applicationDirPath());
        const QString reason = program.isEmpty()
            ? QStringLiteral("%1 is not installed").arg(ReportProgram::FileName)
            : ReportProgram::replaceProcess(program, argc, argv, defaultFolder);
        err.write(
            QStringLiteral("halvorn-data: reports cannot be written: %1.\n").arg(reason).toUtf8());
        return DataTool::ProblemFound;
    }

    // Passwords must not land on a screen by accident; a pipe or a file is
    // what the user asked for.
    const bool outputIsTerminal = isatty(STDOUT_FILENO) != 0;
    DataTool tool(out, err, outputIsTerminal, defaultFolder);
    return tool.run(arguments);
}
