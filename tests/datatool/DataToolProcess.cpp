#include "DataToolProcess.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include "TemporaryProgramFolder.h"

DataToolRun runDataTool(
    const QStringList& arguments, const QString& program, const QString& standardOutputFile)
{
    QProcess process;
    process.setProgram(program.isEmpty() ? QStringLiteral(HALVORN_DATA_PATH) : program);
    process.setArguments(arguments);
    if (!standardOutputFile.isEmpty())
        process.setStandardOutputFile(standardOutputFile);
    process.start();
    DataToolRun run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

QMap<QString, QByteArray> folderContents(const QString& path)
{
    QMap<QString, QByteArray> contents;
    const QDir dir(path);
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden, QDir::Name)) {
        QFile file(dir.filePath(name));
        if (file.open(QIODevice::ReadOnly))
            contents.insert(name, file.readAll());
    }
    return contents;
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
