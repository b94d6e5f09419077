#include "DataToolProcess.h"
#include "TemporaryProgramFolder.h"

#include "passwords/PasswordFiles.h"

#include <gtest/gtest.h>

namespace {

const QByteArray KeePassXcExport
    = "\"Group\",\"Title\",\"Username\",\"Password\",\"URL\",\"Notes\"\n"
      "\"Root\",\"Bank\",\"jane\",\"Xk9#mP2$vL\",\"https://bank.example\","
      "\"Branch: \"\"Main\"\"\nCard 4411\"\n"
      "\"Root\",\"Café\",\"\",\"password\",\"\",\"\"\n";

class PasswordToolTest : public testing::Test
{
protected:
    DataToolRun importFile(const QByteArray& bytes, const QStringList& options = {})
    {
        elsewhere.write("export.txt", bytes);
        return runDataTool(QStringList { "import", "passwords", elsewhere.filePath("export.txt"),
                               "--dir", folder.path() }
            + options);
    }
    QByteArray storedFiles() const
    {
        return folder.read("Secfile1.Fil") + "|" + folder.read("Secfile2.fil");
    }

    TemporaryProgramFolder folder;
    TemporaryProgramFolder elsewhere;
};

TEST_F(PasswordToolTest, ImportAddsTheExportsEntriesAndSkipsThemTheSecondTime)
{
    const DataToolRun first = importFile(KeePassXcExport);
    EXPECT_EQ(first.exitCode, 0) << first.err.toStdString();
    EXPECT_EQ(first.outText(), "Added 2 password entries.\n");
    EXPECT_EQ(runDataTool({ "list", "passwords", "--dir", folder.path() }).outText(),
        "Café\nhttps://bank.example\n");

    const DataToolRun again = importFile(KeePassXcExport, { "--from", "keepassxc" });
    EXPECT_EQ(again.exitCode, 0);
    EXPECT_EQ(again.outText(),
        "Skipped line 2: \"https://bank.example\" is already listed with this sign-on and "
        "password.\n"
        "Skipped line 4: \"Café\" is already listed with this sign-on and password.\n"
        "Nothing to add.\n");
}

TEST_F(PasswordToolTest, OverLongFieldsRefuseTheImportUnlessCutIsGiven)
{
    const QByteArray csv = "url,username,password\nhttps://a.example,me,Pw-1\nhttps://b.example,"
        + QByteArray(60, 'u') + ",Pw-2\n";
    const QByteArray before = storedFiles();
    const DataToolRun refused = importFile(csv);
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(
        refused.errText().contains(": line 3: the user name has 60 characters, more than 50\n"))
        << refused.err.toStdString();
    EXPECT_TRUE(refused.errText().endsWith(
        "halvorn-data: --cut cuts over-long fields to the keeper's limits\n"
        "halvorn-data: --skip-refused imports the other entries\n"
        "halvorn-data: nothing was imported\n"));
    EXPECT_EQ(storedFiles(), before);

    const DataToolRun cut = importFile(csv, { "--cut" });
    EXPECT_EQ(cut.exitCode, 0) << cut.err.toStdString();
    EXPECT_EQ(cut.outText(),
        "Cut line 3 (https://b.example): the user name has 60 characters, more than 50.\n"
        "Added 2 password entries.\n");
}

TEST_F(PasswordToolTest, TheRecycleBinAndRefusedEntriesAreLeftOutOnlyAsAsked)
{
    const QByteArray csv = "\"Group\",\"Title\",\"Username\",\"Password\",\"URL\",\"Notes\"\n"
                           "\"Root\",\"Mail\",\"ann\",\"Pw-1\",\"\",\"\"\n"
                           "\"Root\",\"Greek\",\"ann\",\"\xCE\xB1-Pw\",\"\",\"\"\n"
                           "\"Root/Recycle Bin\",\"Old\",\"ann\",\"Pw-2\",\"\",\"\"\n";
    const QByteArray before = storedFiles();
    const DataToolRun refused = importFile(csv);
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(
        refused.outText(), "1 entry in the Recycle Bin left out (--include-deleted takes them).\n");
    EXPECT_TRUE(refused.errText().contains(
        ": line 3: The Password contains characters that cannot be stored in an unprotected "
        "Password Keeper: \"\u03B1\" (U+03B1)."))
        << refused.err.toStdString();
    EXPECT_EQ(storedFiles(), before);

    const DataToolRun taken = importFile(csv, { "--skip-refused", "--include-deleted" });
    EXPECT_EQ(taken.exitCode, 0) << taken.err.toStdString();
    EXPECT_TRUE(taken.errText().endsWith("(left out)\n"));
    EXPECT_EQ(taken.outText(), "Added 2 password entries.\n");
    EXPECT_EQ(
        runDataTool({ "list", "passwords", "--dir", folder.path() }).outText(), "Mail\nOld\n");
}

TEST_F(PasswordToolTest, WrongFormsAreUsageErrorsAndUnreadableFilesProblems)
{
    const struct {
        QStringList arguments;
        int exitCode;
        const char* error;
    } cases[] = {
        { { "import", "passwords" }, 2, "import passwords takes a FILE" },
        { { "import", "passwords", "x.csv", "--from", "lastpass" }, 2,
            "unknown format \"lastpass\"" },
        { { "import", "weight", "Ann", "x.csv", "--cut" }, 2,
            "--from, --cut and --include-deleted belong to import passwords" },
        { { "export", "passwords", "--include-deleted" }, 2,
            "--from, --cut and --include-deleted belong to import passwords" },
        { { "export", "passwords", "--skip-refused" }, 2, "--skip-refused belongs to import" },
        { { "check", "--health" }, 2, "--health belongs to check passwords" },
        { { "import", "passwords", "/no/such/export.csv" }, 1, "/no/such/export.csv: " },
    };
    for (const auto& c : cases) {
        const DataToolRun run = runDataTool(c.arguments + QStringList { "--dir", folder.path() });
        EXPECT_EQ(run.exitCode, c.exitCode) << c.error;
        EXPECT_TRUE(run.errText().contains(QLatin1String(c.error))) << run.err.toStdString();
    }
    const DataToolRun encrypted = importFile(R"({"encrypted": true, "items": []})");
    EXPECT_EQ(encrypted.exitCode, 1);
    EXPECT_TRUE(encrypted.errText().contains("the export is encrypted"));
    const DataToolRun unknown = importFile("a,b\n1,2\n");
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_TRUE(unknown.errText().contains("--from keepassxc|bitwarden|browser"));
}

TEST_F(PasswordToolTest, HealthListsEachEntryWithItsReasons)
{
    const DataToolRun empty
        = runDataTool({ "check", "passwords", "--health", "--dir", folder.path() });
    EXPECT_EQ(empty.exitCode, 0);
    EXPECT_EQ(empty.outText(), "No weak, reused or unencrypted passwords found.\n");

    ASSERT_EQ(importFile(KeePassXcExport).exitCode, 0);
    const DataToolRun run
        = runDataTool({ "check", "passwords", "--health", "--dir", folder.path() });
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(
        run.outText(), "Café: weak password: very weak, guessed offline in less than a second\n");
}

} // namespace
