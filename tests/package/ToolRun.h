#pragma once

#include <QString>
#include <QStringList>

// A command-line tool run to its end, its output and errors together.
struct ToolRun {
    // -1 when the tool did not start, crashed or took over five minutes.
    int exitCode = -1;
    QString output;

    static ToolRun of(const QString& program, const QStringList& arguments);
};
