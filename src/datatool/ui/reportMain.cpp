#include "datatool/DataTool.h"
#include "datatool/ReportProgram.h"
#include "datatool/ui/PdfReportWriter.h"
#include "storage/DataFolderLocation.h"

#include <QApplication>
#include <QFile>

#include <unistd.h>

// halvorn-report: halvorn-data with the report writer, which needs fonts and
// the chart. halvorn-data hands report command lines to it; it runs every
// other command too, so a command line is never turned away for having been
// handed over.
int main(int argc, char* argv[])
{
    // Fonts and the chart need an application with a screen: the headless
    // one, since nothing is ever shown.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(DataFolderLocation::applicationName());
    // The folder halvorn-data would have used; run on its own, its own.
    QString defaultFolder = qEnvironmentVariable(ReportProgram::DefaultFolderVariable);
    if (defaultFolder.isEmpty())
        defaultFolder = DataFolderLocation::forApplication().dataFolder();
    QFile out;
    QFile err;
    out.open(STDOUT_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered);
    err.open(STDERR_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered);
    const bool outputIsTerminal = isatty(STDOUT_FILENO) != 0;
    PdfReportWriter reports;
    DataTool tool(out, err, outputIsTerminal, defaultFolder, &reports);
    return tool.run(QCoreApplication::arguments().mid(1));
}
