#include "DataToolProcess.h"
#include "TemporaryProgramFolder.h"

#include "datatool/DataTool.h"
#include "passwords/PasswordFiles.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <gtest/gtest.h>

TEST(DataToolCommandLine, HelpPrintsTheUsage)
{
    const DataToolRun run = runDataTool({ "--help" });
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.outText().startsWith("Usage: halvorn-data")) << run.outText().toStdString();
    EXPECT_TRUE(run.outText().contains(
        "import weight|bp NAME FILE [--from FORMAT] [--all-readings] [--dry-run]"));
    EXPECT_TRUE(run.err.isEmpty());
}

TEST(DataToolCommandLine, BadUsageExitsWithTwoAndOneLine)
{
    TemporaryProgramFolder folder;
    const QString dir = folder.path();
    const QList<QStringList> cases {
        {},
        { "frobnicate", "--dir", dir },
        { "list", "--dir", dir },
        { "list", "cats", "--dir", dir },
        { "list", "weight", "--format", "json", "--dir", dir },
        { "export", "weight", "--dir", dir },
        { "export", "weight", "Ann", "--format", "xml", "--dir", dir },
        { "export", "weight", "Ann", "-o" },
        { "import", "weight", "Ann", "--dir", dir },
        { "check", "extra", "--dir", dir },
        { "check", "--verbose", "--dir", dir },
        { "check", "--dir", folder.filePath("missing") },
    };
    for (const QStringList& arguments : cases) {
        const DataToolRun run = runDataTool(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments.join(' ').toStdString();
        EXPECT_EQ(run.errText().count('\n'), 1) << run.errText().toStdString();
        EXPECT_TRUE(run.errText().startsWith("halvorn-data: ")) << run.errText().toStdString();
        EXPECT_TRUE(run.out.isEmpty());
    }
    EXPECT_TRUE(folderContents(dir).isEmpty());
}

TEST(DataToolCommandLine, ListsNamesInListOrder)
{
    TemporaryProgramFolder folder;
    copyFixture("logs", folder);
    QRandomGenerator random(1);
    PasswordFiles files(folder.folder(), &random);
    EXPECT_TRUE(files.AddEntry({ "Mail", "a", "b", "" }));
    EXPECT_TRUE(files.AddEntry({ "bank", "a", "b", "" }));

    EXPECT_EQ(runDataTool({ "list", "weight", "--dir", folder.path() }).out, "Ann\nSmith, Bob\n");
    EXPECT_EQ(runDataTool({ "list", "bp", "--dir=" + folder.path() }).out, "Cy\n");
    EXPECT_EQ(runDataTool({ "list", "passwords", "--dir", folder.path() }).out, "bank\nMail\n");
}

// Without --dir the files are where halvorn keeps them: beside the program
// when its pictures and help are there too, else in the user's data folder.
TEST(DataToolCommandLine, TheFolderDefaultsToTheOneHalvornUses)
{
    TemporaryProgramFolder dataHome;
    const QString userFolder = dataHome.filePath("Halvorn");
    QDir().mkpath(userFolder);
    const QDir logs(fixturePath("logs"));
    for (const QString& name : logs.entryList(QDir::Files))
        QFile::copy(logs.filePath(name), userFolder + '/' + name);
    const QByteArray savedDataHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", dataHome.path().toLocal8Bit());

    // Beside its pictures and help, as in a build: its own folder, empty.
    TemporaryProgramFolder portable;
    portable.write("Halvorn.png", "picture");
    QDir(portable.path()).mkpath("help");
    ASSERT_TRUE(QFile::copy(QStringLiteral(HALVORN_DATA_PATH), portable.filePath("halvorn-data")));
    const DataToolRun besideIt
        = runDataTool({ "list", "weight" }, portable.filePath("halvorn-data"));
    EXPECT_EQ(besideIt.exitCode, 0) << besideIt.errText().toStdString();
    EXPECT_EQ(besideIt.out, "");

    // Alone, as in /usr/bin: the user's folder.
    TemporaryProgramFolder alone;
    ASSERT_TRUE(QFile::copy(QStringLiteral(HALVORN_DATA_PATH), alone.filePath("halvorn-data")));
    const DataToolRun installed = runDataTool({ "list", "weight" }, alone.filePath("halvorn-data"));
    EXPECT_EQ(installed.exitCode, 0) << installed.errText().toStdString();
    EXPECT_EQ(installed.out, "Ann\nSmith, Bob\n");

    if (savedDataHome.isNull())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", savedDataHome);
}

// A process started by a test never writes to a terminal, so the refusal is
// exercised on the command line object itself.
TEST(DataToolCommandLine, PasswordsAreNotPrintedToATerminalUnlessShown)
{
    TemporaryProgramFolder folder;
    QRandomGenerator random(1);
    EXPECT_TRUE(PasswordFiles(folder.folder(), &random).AddEntry({ "Mail", "ann", "hunter2", "" }));

    struct Case {
        QStringList arguments;
        int exitCode;
        bool printed;
    };
    const QList<Case> cases {
        { { "export", "passwords" }, 2, false },
        { { "export", "passwords", "--format", "json" }, 2, false },
        { { "export", "passwords", "--show" }, 0, true },
    };
    for (const Case& c : cases) {
        QBuffer out;
        QBuffer err;
        out.open(QIODevice::WriteOnly);
        err.open(QIODevice::WriteOnly);
        DataTool tool(out, err, true, folder.path());
        EXPECT_EQ(tool.run(c.arguments), c.exitCode) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(out.data().contains("hunter2"), c.printed);
        if (!c.printed) {
            EXPECT_TRUE(err.data().contains("--show")) << err.data().toStdString();
        }
    }
}

namespace {

struct InProcessRun {
    int exitCode = -1;
    QString out;
    QString err;
};

InProcessRun runInProcess(const QStringList& arguments, const QString& defaultFolder)
{
    QBuffer out;
    QBuffer err;
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);
    DataTool tool(out, err, false, defaultFolder);
    InProcessRun run;
    run.exitCode = tool.run(arguments);
    run.out = QString::fromUtf8(out.data());
    run.err = QString::fromUtf8(err.data());
    return run;
}

QString usageError(const QString& message)
{
    return QStringLiteral("halvorn-data: %1 (see halvorn-data --help)\n").arg(message);
}

} // namespace

// Scripts rely on where options may stand, on "--" and "-", and on the last
// of an option given twice.
TEST(DataToolCommandLine, OptionsStandBeforeBetweenOrAfterTheWords)
{
    TemporaryProgramFolder folder;
    copyFixture("logs", folder);
    const QString dir = folder.path();
    const QString missing = folder.filePath("missing");
    const QString names = QStringLiteral("Ann\nSmith, Bob\n");
    const QString listUsage = usageError("list takes one of weight, bp, passwords");
    QBuffer unused;
    const QString usage = DataTool(unused, unused, false, missing).usage();
    struct Case {
        QStringList arguments;
        int exitCode;
        QString out;
        QString err;
    };
    const QList<Case> cases {
        { { "--dir", dir, "list", "weight" }, 0, names, "" },
        { { "list", "--dir=" + dir, "weight" }, 0, names, "" },
        { { "--dir", missing, "list", "weight", "--dir", dir }, 0, names, "" },
        { { "--dir", dir, "--", "list", "weight" }, 0, names, "" },
        { { "--dir", dir, "list", "weight", "--" }, 0, names, "" },
        { { "--dir", dir, "list", "weight", "--", "--help" }, 2, "", listUsage },
        { { "--dir", dir, "list", "weight", "--", "--" }, 2, "", listUsage },
        { { "--dir", dir, "list", "-" }, 2, "", listUsage },
        { { "--dir", "-h", "list", "weight" }, 2, "", usageError("no folder -h") },
        { { "list", "weight", "-h", "--dir", dir }, 0, usage, "" },
    };
    for (const Case& c : cases) {
        const InProcessRun run = runInProcess(c.arguments, missing);
        const std::string arguments = c.arguments.join(' ').toStdString();
        EXPECT_EQ(run.exitCode, c.exitCode) << arguments;
        EXPECT_EQ(run.out, c.out) << arguments;
        EXPECT_EQ(run.err, c.err) << arguments;
    }

    TemporaryProgramFolder exports;
    const QString first = exports.filePath("first.json");
    const QString last = exports.filePath("last.json");
    const InProcessRun twice
        = runInProcess({ "export", "weight", "Ann", "-o", first, "--format", "csv", "--output",
                           last, "--format=json", "--dir", dir },
            missing);
    EXPECT_EQ(twice.exitCode, 0) << twice.err.toStdString();
    EXPECT_FALSE(QFile::exists(first));
    QFile written(last);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(written.readAll().startsWith("{"));
}

// One line naming the first argument that cannot be used, as typed; a single
// dash takes no clusters or glued values, and --help or --version are no
// different from any other word when misused.
TEST(DataToolCommandLine, BadUsageNamesTheFirstUnusableArgumentAsTyped)
{
    TemporaryProgramFolder folder;
    copyFixture("logs", folder);
    const QString dir = folder.path();
    const QList<std::pair<QStringList, QString>> cases {
        { { "list", "weight", "-x", "--bogus", "--dir", dir }, "unknown option -x" },
        { { "--bogus=3", "--dir" }, "unknown option --bogus=3" },
        { { "list", "weight", "--dir" }, "--dir needs a value" },
        { { "export", "weight", "Ann", "--dir", dir, "-o" }, "-o needs a value" },
        { { "export", "weight", "Ann", "--dir", dir, "--output=" }, "--output= needs a file name" },
        { { "export", "weight", "Ann", "--dir", dir, "-o", "", "--bogus" },
            "-o needs a file name" },
        { { "export", "weight", "Ann", "--dir", dir, "-oFILE" }, "unknown option -oFILE" },
        { { "export", "weight", "Ann", "--dir", dir, "-o=FILE" }, "unknown option -o=FILE" },
        { { "-ho" }, "unknown option -ho" },
        { { "-dir", dir, "list", "weight" }, "unknown option -dir" },
        { { "--o", "file" }, "unknown option --o" },
        { { "list", "weight", "--dir", dir, "--show=yes" }, "unknown option --show=yes" },
        { { "--help=1" }, "unknown option --help=1" },
        { { "--help", "--bogus" }, "unknown option --bogus" },
        { { "--version" }, "unknown option --version" },
    };
    for (const auto& [arguments, message] : cases) {
        const InProcessRun run = runInProcess(arguments, dir);
        EXPECT_EQ(run.exitCode, 2) << arguments.join(' ').toStdString();
        EXPECT_EQ(run.err, usageError(message)) << arguments.join(' ').toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << arguments.join(' ').toStdString();
    }
}
