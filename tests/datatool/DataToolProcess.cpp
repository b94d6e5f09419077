#include "DataToolProcess.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include "TemporaryProgramFolder.h"
#include "passwords/PasswordFiles.h"
#include "storage/GColor4File.h"
#include "storage/ZorqNameFile.h"

#include <QRandomGenerator>

#include <optional>

#include <gtest/gtest.h>

namespace {

DataToolRun runProcess(QProcess& process, const std::optional<QByteArray>& input)
{
    process.start();
    if (input) {
        process.write(*input);
        process.closeWriteChannel();
    }
    DataToolRun run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

} // namespace

DataToolRun runDataTool(
    const QStringList& arguments, const QString& program, const QString& standardOutputFile)
{
    QProcess process;
    process.setProgram(program.isEmpty() ? QStringLiteral(HALVORN_DATA_PATH) : program);
    process.setArguments(arguments);
    if (!standardOutputFile.isEmpty())
        process.setStandardOutputFile(standardOutputFile);
    return runProcess(process, std::nullopt);
}

DataToolRun runDataToolWithInput(const QStringList& arguments, const QByteArray& input)
{
    QProcess process;
    process.setProgram(QStringLiteral(HALVORN_DATA_PATH));
    process.setArguments(arguments);
    return runProcess(process, input);
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
    EXPECT_TRUE(GColor4File(folder.folder()).setWeightPrintFontName("Arial"));
    EXPECT_TRUE(ZorqNameFile(folder.folder()).setFamilyName("Halvorsen"));
}
