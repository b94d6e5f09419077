#include "DataToolProcess.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include "TemporaryProgramFolder.h"
#include "passwords/PasswordFiles.h"
#include "storage/GColor4File.h"
#include "storage/ZorqNameFile.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

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

void buildSoundFolder(const TemporaryProgramFolder& folder)
{
    copyFixture("logs", folder);
    QRandomGenerator random(3);
    PasswordFiles files(folder.folder(), &random);
    EXPECT_TRUE(files.AddEntry({ "Bank", "ann", "pw1", "" }));
    EXPECT_TRUE(files.AddEntry({ "Mail", "ann", "pw2", "" }));
    GColor4File(folder.folder()).setWeightPrintFontName("Arial");
    ZorqNameFile(folder.folder()).setFamilyName("Halvorsen");
}
