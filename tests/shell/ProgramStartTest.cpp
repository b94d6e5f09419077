#include "shell/ProgramStart.h"

#include "ScriptedMessageService.h"
#include "TemporaryProgramFolder.h"

#include "services/ProgramInfo.h"
#include "storage/DataFolderLock.h"

#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

namespace {

class ProgramStartTest : public testing::Test
{
protected:
    // The program installed in bin/ with nothing beside it, so that without
    // --dir it would use the user's folder.
    bool claim(const QStringList& options)
    {
        return start.claimDataFolder(QStringList { QStringLiteral("halvorn") } + options,
            temp.filePath("bin"), temp.filePath("user"));
    }

    TemporaryProgramFolder temp;
    ScriptedMessageService messages;
    ProgramStart start { messages };
};

} // namespace

TEST_F(ProgramStartTest, ClaimsTheUsersFolderOrTheNamedOneAndCreatesIt)
{
    ASSERT_TRUE(claim({}));
    EXPECT_EQ(start.folder().path(), temp.filePath("user"));
    EXPECT_TRUE(temp.exists("user/halvorn.lock"));
    EXPECT_TRUE(messages.messages().isEmpty());

    for (const QStringList& options : QList<QStringList> {
             { "--dir", temp.filePath("named") }, { "--dir=" + temp.filePath("named") } }) {
        ScriptedMessageService quiet;
        ProgramStart named(quiet);
        ASSERT_TRUE(named.claimDataFolder(
            QStringList { "halvorn" } + options, temp.filePath("bin"), temp.filePath("user")))
            << options.join(' ').toStdString();
        EXPECT_EQ(named.folder().path(), temp.filePath("named"));
        EXPECT_TRUE(quiet.messages().isEmpty());
    }
}

TEST_F(ProgramStartTest, ASecondCopySaysTheFolderIsInUseAndTouchesNothing)
{
    DataFolderLock first(temp.filePath("user"));
    ASSERT_EQ(first.acquire(), DataFolderLock::Outcome::Acquired);
    const QStringList before
        = QDir(temp.filePath("user")).entryList(QDir::AllEntries | QDir::Hidden);

    EXPECT_FALSE(claim({}));
    const MessageService::Message shown = messages.last();
    EXPECT_EQ(shown.text,
        QStringLiteral("The folder %1 is in use by another copy of Halvorn.\n\nOnly one copy can "
                       "use these files at a time, so that neither overwrites the other's saves. "
                       "This copy will close.")
            .arg(temp.filePath("user")));
    EXPECT_EQ(shown.title, "Halvorn");
    EXPECT_EQ(shown.icon, MessageService::Icon::Exclamation);
    EXPECT_EQ(QDir(temp.filePath("user")).entryList(QDir::AllEntries | QDir::Hidden), before);
}

TEST_F(ProgramStartTest, AnUnusableFolderIsNamedWithTheReason)
{
    temp.write("plain-file", "x");
    EXPECT_FALSE(claim({ "--dir", temp.filePath("plain-file/Halvorn") }));
    EXPECT_EQ(messages.last().text,
        QStringLiteral("The folder %1 cannot be created: Not a directory.\n\nHalvorn keeps every "
                       "log and setting there and cannot run without it. Start it with --dir "
                       "FOLDER to name another folder.")
            .arg(temp.filePath("plain-file/Halvorn")));
    EXPECT_EQ(messages.last().icon, MessageService::Icon::Critical);
}

TEST_F(ProgramStartTest, BadArgumentsAreExplainedAndNothingIsCreated)
{
    const struct {
        QStringList options;
        QString firstLine;
    } cases[] = {
        { { "--dir" }, "Missing value after '--dir'." },
        { { "--dir=" }, "--dir needs the name of a folder." },
        { { "--colour", "red" }, "Unknown option 'colour'." },
        { { "notes.txt" }, "Unexpected argument: notes.txt" },
    };
    for (const auto& c : cases) {
        messages.clear();
        EXPECT_FALSE(claim(c.options)) << c.options.join(' ').toStdString();
        const QString text = messages.last().text;
        EXPECT_EQ(text.section('\n', 0, 0), c.firstLine);
        EXPECT_TRUE(text.endsWith(ProgramStart::usage())) << text.toStdString();
    }
    EXPECT_TRUE(QDir(temp.path()).isEmpty());
}

TEST(ProgramStartTerminal, HelpAndVersionAnswerOnTheTerminalWithoutADisplay)
{
    const struct {
        QString option;
        QString output;
    } cases[] = {
        { "--help", ProgramStart::usage() + '\n' },
        { "-h", ProgramStart::usage() + '\n' },
        { "--version", "halvorn " + ProgramInfo::versionNumber() + "\n" },
        { "-v", "halvorn " + ProgramInfo::versionNumber() + "\n" },
    };
    // No X server and no offscreen fallback: opening a window here would
    // abort the program.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    for (const auto& c : cases) {
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(HALVORN_PROGRAM_PATH), { c.option });
        ASSERT_TRUE(program.waitForFinished(30'000)) << c.option.toStdString();
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << c.option.toStdString();
        EXPECT_EQ(program.exitCode(), 0) << c.option.toStdString();
        EXPECT_EQ(QString::fromLocal8Bit(program.readAllStandardOutput()), c.output);
        EXPECT_TRUE(program.readAllStandardError().isEmpty()) << c.option.toStdString();
    }
    EXPECT_FALSE(ProgramStart::terminalAnswer({ "halvorn", "--dir", "/tmp/x" }));
}
