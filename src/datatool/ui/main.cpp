#include "datatool/DataTool.h"
#include "datatool/ui/PdfReportWriter.h"
#include "storage/DataFolderLocation.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFile>

#include <cstdio>
#include <memory>
#include <unistd.h>

int main(int argc, char* argv[])
{
    // Reports need fonts and the chart, which need an application with a
    // screen: the headless one, since nothing is ever shown. Everything else
    // runs on Qt Core alone.
    bool report = false;
    for (int i = 1; i < argc && !report; ++i)
        report = qstrcmp(argv[i], "report") == 0;
    std::unique_ptr<QCoreApplication> app;
    if (report) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    // Named as the program is, so that both find the same data folder.
    QCoreApplication::setApplicationName(DataFolderLocation::applicationName());
    QFile out;
    QFile err;
    // By descriptor, not through stdio's FILE: its buffer would take every
    // byte and lose the failure of a full output at exit, unseen.
    out.open(STDOUT_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered);
    err.open(STDERR_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered);
    // Passwords must not land on a screen by accident; a pipe or a file is
    // what the user asked for.
    const bool outputIsTerminal = isatty(fileno(stdout)) != 0;
    PdfReportWriter reports;
    DataTool tool(
        out, err, outputIsTerminal, DataFolderLocation::forApplication().dataFolder(), &reports);
    return tool.run(QCoreApplication::arguments().mid(1));
}
