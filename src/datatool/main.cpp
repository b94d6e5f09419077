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
    // By descriptor, not through stdio's FILE: its buffer would take every
    // byte and lose the failure of a full output at exit, unseen.
    out.open(STDOUT_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered);
    err.open(STDERR_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered);
    // Passwords must not land on a screen by accident; a pipe or a file is
    // what the user asked for.
    const bool outputIsTerminal = isatty(fileno(stdout)) != 0;
    DataTool tool(out, err, outputIsTerminal, QCoreApplication::applicationDirPath());
    return tool.run(app.arguments().mid(1));
}
