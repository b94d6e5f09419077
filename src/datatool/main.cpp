#include "datatool/DataTool.h"
#include "storage/DataFolderLocation.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>
#include <unistd.h>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    // Named as the program is, so that both find the same data folder.
    QCoreApplication::setApplicationName(DataFolderLocation::applicationName());
    QFile out;
    QFile err;
    out.open(stdout, QIODevice::WriteOnly | QIODevice::Unbuffered);
    err.open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered);
    // Passwords must not land on a screen by accident; a pipe or a file is
    // what the user asked for.
    const bool outputIsTerminal = isatty(fileno(stdout)) != 0;
    DataTool tool(out, err, outputIsTerminal, DataFolderLocation::forApplication().dataFolder());
    return tool.run(app.arguments().mid(1));
}
