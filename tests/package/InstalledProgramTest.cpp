#include "InstalledCopy.h"
#include "ToolRun.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <csignal>

namespace {

class InstalledProgramTest : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(copy.install()) << copy.error().toStdString(); }

    QString program() const { return copy.prefix() + "/bin/halvorn"; }
    QString dataTool() const { return copy.prefix() + "/bin/halvorn-data"; }

    // The display mode the main screen stores on its first start shows that
    // the program has begun to keep its settings.
    static QString settingsFile(const QString& folder) { return folder + "/GColor3.Fil"; }

    // Ends a running copy the way a crash or a power cut would.
    static void killNow(QProcess& running)
    {
        ::kill(static_cast<pid_t>(running.processId()), SIGKILL);
        running.waitForFinished(30000);
    }

    QString writeCsv(const QString& name, const QByteArray& rows) const
    {
        const QString path = copy.scratch(name);
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(rows);
        return path;
    }

    InstalledCopy copy;
};

} // namespace

TEST_F(InstalledProgramTest, KeepsItsFilesInTheUsersDataFolderAndNothingInTheInstallation)
{
    const QStringList installed = InstalledCopy::filesBelow(copy.root());
    const std::unique_ptr<QProcess> running = copy.start(program(), {});
    ASSERT_TRUE(InstalledCopy::waitForFile(settingsFile(copy.userDataFolder()), *running))
        << running->readAllStandardError().toStdString();
    EXPECT_TRUE(QFileInfo::exists(copy.userDataFolder() + "/halvorn.lock"));
    killNow(*running);

    EXPECT_EQ(InstalledCopy::filesBelow(copy.root()), installed);
    // halvorn-data finds the same folder without being told.
    const InstalledCopy::Result help = copy.run(dataTool(), { "--help" });
    EXPECT_TRUE(help.out.contains("\n    " + copy.userDataFolder() + "\n"))
        << help.out.toStdString();
    const InstalledCopy::Result check = copy.run(dataTool(), { "check" });
    EXPECT_EQ(check.exitCode, 0) << check.err.toStdString();
}

TEST_F(InstalledProgramTest, AWritableFolderOfItsOwnKeepsItsFilesBesideTheProgram)
{
    // The installed files unpacked into one folder, as on a stick.
    const QString stick = copy.scratch("stick");
    QDir().mkpath(stick + "/help");
    ASSERT_TRUE(QFile::copy(program(), stick + "/halvorn"));
    const QString share = copy.prefix() + "/share/halvorn";
    for (const QString& file : InstalledCopy::filesBelow(share))
        ASSERT_TRUE(QFile::copy(share + '/' + file, stick + '/' + file)) << file.toStdString();

    const std::unique_ptr<QProcess> running = copy.start(stick + "/halvorn", {});
    ASSERT_TRUE(InstalledCopy::waitForFile(settingsFile(stick), *running))
        << running->readAllStandardError().toStdString();
    killNow(*running);
    EXPECT_FALSE(QFileInfo::exists(copy.userDataFolder()));
}

TEST_F(InstalledProgramTest, ImportIsRefusedWhileTheProgramRunsAndTakesOverAStaleLock)
{
    const QString folder = copy.scratch("named");
    const std::unique_ptr<QProcess> running = copy.start(program(), { "--dir", folder });
    ASSERT_TRUE(InstalledCopy::waitForFile(settingsFile(folder), *running))
        << running->readAllStandardError().toStdString();
    const QString csv = writeCsv("ann.csv", "date,weight\n2026-05-01,150\n");
    const QStringList import { "import", "weight", "Ann", csv, "--dir", folder };

    const InstalledCopy::Result refused = copy.run(dataTool(), import);
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.err,
        QStringLiteral("halvorn-data: The folder %1 is in use by another copy of Halvorn.\n")
            .arg(folder));
    EXPECT_FALSE(QFileInfo::exists(folder + "/WeightTrker.Fil"));

    killNow(*running);
    ASSERT_TRUE(QFileInfo::exists(folder + "/halvorn.lock"));
    const InstalledCopy::Result imported = copy.run(dataTool(), import);
    EXPECT_EQ(imported.exitCode, 0) << imported.err.toStdString();
    EXPECT_EQ(copy.run(dataTool(), { "list", "weight", "--dir", folder }).out, "Ann\n");
    EXPECT_FALSE(QFileInfo::exists(folder + "/halvorn.lock"));
}

TEST_F(InstalledProgramTest, ReportsAreWrittenByTheReportProgramFromTheSameFolder)
{
    // Every command but report starts on Qt Core alone.
    const ToolRun linked = ToolRun::of(QStringLiteral("readelf"), { "-d", dataTool() });
    EXPECT_TRUE(linked.output.contains("[libQt6Core.so.6]")) << linked.output.toStdString();
    EXPECT_FALSE(linked.output.contains("libQt6Gui")) << linked.output.toStdString();
    EXPECT_FALSE(linked.output.contains("libQt6Widgets")) << linked.output.toStdString();

    // Neither program is told the folder: the report comes from the one the
    // import went into.
    ASSERT_TRUE(QDir().mkpath(copy.userDataFolder()));
    const QString csv = writeCsv("ann.csv", "date,weight\n2026-05-01,150\n");
    const InstalledCopy::Result imported = copy.run(dataTool(), { "import", "weight", "Ann", csv });
    ASSERT_EQ(imported.exitCode, 0) << imported.err.toStdString();
    const QString pdf = copy.scratch("ann.pdf");
    const InstalledCopy::Result report
        = copy.run(dataTool(), { "report", "weight", "Ann", "-o", pdf });
    EXPECT_EQ(report.exitCode, 0) << report.err.toStdString();
    QFile written(pdf);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(written.read(5) == "%PDF-");

    const InstalledCopy::Result missing
        = copy.run(dataTool(), { "report", "weight", "Nobody", "-o", pdf + ".2" });
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.startsWith("halvorn-data: ")) << missing.err.toStdString();
}
