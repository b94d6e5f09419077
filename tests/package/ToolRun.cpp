#include "ToolRun.h"

#include <QProcess>

ToolRun ToolRun::of(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    ToolRun run;
    if (process.waitForFinished(300000) && process.exitStatus() == QProcess::NormalExit)
        run.exitCode = process.exitCode();
    run.output = QString::fromLocal8Bit(process.readAll());
    return run;
}
