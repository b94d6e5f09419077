#include "DataToolProcess.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include "TemporaryProgramFolder.h"

DataToolRun runDataTool(const QStringList& arguments, const QString& program)
{
    QProcess process;
    process.setProgram(program.isEmpty() ? QStringLiteral(HALVORN_DATA_PATH) : program);
    process.setArguments(arguments);
    process.start();
    DataToolRun run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

QString fixturePath(const QString& name)
{
    return QDir(QStringLiteral(HALVORN_DATATOOL_FIXTURES)).filePath(name);
}

void copyFixture(const QString& name, const TemporaryProgramFolder& folder)
{
    const QDir source(fixturePath(name));
    for (const QString& file : source.entryList(QDir::Files))
        QFile::copy(source.filePath(file), folder.filePath(file));
}
