#include "datatool/DataTool.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>
#include <unistd.h>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QFile out;
    QFile err;
    out.open(stdout, QIODevice::WriteOnly | QIODevice::Unbuffered);
    err.open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered);
    // Passwords must not land on a screen by accident; a pipe or a file is
    // what the user asked for.
    const bool outputIsTerminal = isatty(fileno(stdout)) != 0;
    DataTool tool(out, err, outputIsTerminal, QCoreApplication::applicationDirPath());
    return tool.run(app.arguments().mid(1));
}
