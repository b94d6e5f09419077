#include "DataToolProcess.h"
#include "FolderContents.h"
#include "PdfInspection.h"
#include "TemporaryProgramFolder.h"

#include "passwords/KeeperProtection.h"
#include "passwords/PasswordFiles.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace {

class PasswordsCommandTest : public testing::Test
{
protected:
    void SetUp() override { buildSoundFolder(folder); }

    QStringList in(QStringList arguments) const { return arguments << "--dir" << folder.path(); }
    DataToolRun exportCsv(const QByteArray& input = {}) const
    {
        return runDataToolWithInput(in({ "export", "passwords", "--format", "json" }), input);
    }

    TemporaryProgramFolder folder;
};

TEST_F(PasswordsCommandTest, ProtectingKeepsEveryExportByteAndAWrongPasswordChangesNothing)
{
    const DataToolRun before = exportCsv();
    ASSERT_EQ(before.exitCode, 0) << before.errText().toStdString();

    const DataToolRun protect = runDataToolWithInput(in({ "passwords", "protect" }), "horse\n");
    ASSERT_EQ(protect.exitCode, 0) << protect.errText().toStdString();
    EXPECT_TRUE(folder.exists("Secvault.vlt"));
    EXPECT_FALSE(folder.exists("Secfile1.Fil"));

    const QMap<QString, QByteArray> locked = folderContents(folder.path());
    for (const QStringList& command : { QStringList { "list", "passwords" },
             QStringList { "export", "passwords", "--format", "json" },
             QStringList { "passwords", "unprotect" } }) {
        const DataToolRun wrong = runDataToolWithInput(in(command), "donkey\n");
        EXPECT_EQ(wrong.exitCode, 1) << command.join(' ').toStdString();
        EXPECT_TRUE(wrong.errText().contains("master password")) << wrong.errText().toStdString();
        EXPECT_TRUE(wrong.out.isEmpty());
        const DataToolRun none = runDataToolWithInput(in(command), "");
        EXPECT_EQ(none.exitCode, 1);
    }
    EXPECT_EQ(folderContents(folder.path()), locked);

    EXPECT_EQ(
        runDataToolWithInput(in({ "list", "passwords" }), "horse\n").outText(), "Bank\nMail\n");
    EXPECT_EQ(exportCsv("horse\n").out, before.out);

    const DataToolRun unprotect = runDataToolWithInput(in({ "passwords", "unprotect" }), "horse\n");
    ASSERT_EQ(unprotect.exitCode, 0) << unprotect.errText().toStdString();
    EXPECT_FALSE(folder.exists("Secvault.vlt"));
    EXPECT_EQ(exportCsv().out, before.out);
}

// Greek, Cyrillic, Chinese and an emoji in a protected keeper come back
// through the export, the printed entry, a backup and its restore; nothing
// of them is in clear on disk.
TEST_F(PasswordsCommandTest, AProtectedKeeperCarriesAnyTextThroughEveryWayOut)
{
    ASSERT_EQ(runDataToolWithInput(in({ "passwords", "protect" }), "pw\n").exitCode, 0);
    const PasswordEntry greek { QStringLiteral("\u03a4\u03c1\u03ac\u03c0\u03b5\u03b6\u03b1"),
        QStringLiteral("\u0438\u0432\u0430\u043d"), QStringLiteral("\u5bc6\u7801\U0001F511"),
        QStringLiteral("\u0421\u0447\u0451\u0442 \u03b1\u03b2") };
    {
        PasswordFiles files(
            folder.folder(), KeeperProtection(folder.folder()).unlock("pw").storage);
        ASSERT_TRUE(files.AddEntry(greek));
    }
    for (const QString& text : { greek.name, greek.signOn, greek.password })
        EXPECT_FALSE(folder.read("Secvault.vlt").contains(text.toUtf8()));
    auto exported = [this] {
        const DataToolRun run = exportCsv("pw\n");
        EXPECT_EQ(run.exitCode, 0) << run.errText().toStdString();
        for (const QJsonValue entry : QJsonDocument::fromJson(run.out)["entries"].toArray()) {
            if (entry["name"].toString() != u"Bank" && entry["name"].toString() != u"Mail")
                return PasswordEntry { entry["name"].toString(), entry["sign_on"].toString(),
                    entry["password"].toString(), entry["comment"].toString() };
        }
        return PasswordEntry {};
    };
    EXPECT_EQ(exported(), greek);

    TemporaryProgramFolder elsewhere;
    const QString pdf = elsewhere.filePath("entry.pdf");
    const DataToolRun report
        = runDataToolWithInput(in({ "report", "passwords", greek.name, "-o", pdf }), "pw\n");
    ASSERT_EQ(report.exitCode, 0) << report.errText().toStdString();
    const QString text = PdfInspection(pdf).lines(0).join(u'\n');
    // The fonts here have no Chinese nor emoji glyphs; the Greek and
    // Cyrillic ones are Liberation Serif's.
    for (const QString& expected : { greek.name, greek.signOn, greek.comment })
        EXPECT_TRUE(text.contains(expected)) << text.toStdString();

    TemporaryProgramFolder backup;
    ASSERT_EQ(runDataTool(in({ "backup", "passwords", backup.path() })).exitCode, 0);
    {
        PasswordFiles files(
            folder.folder(), KeeperProtection(folder.folder()).unlock("pw").storage);
        const QStringList items = files.LoadIndex();
        ASSERT_TRUE(files.DeleteEntry(items.at(PasswordFiles::findByName(items, greek.name))));
    }
    EXPECT_EQ(exported(), PasswordEntry {});
    const DataToolRun restore = runDataTool(in({ "restore", "passwords", backup.path(), "--yes" }));
    ASSERT_EQ(restore.exitCode, 0) << restore.errText().toStdString();
    EXPECT_EQ(exported(), greek);
}

// A save cut short where no unnamed temporary file can be made leaves its new
// version beside the file, passwords included.
TEST_F(PasswordsCommandTest, ALeftoverOfACutSaveIsNamedByCheckAndGoesAtTheNextLockedCommand)
{
    folder.write("Secfile2.fil.Ab12Cd", folder.read("Secfile2.fil"));
    const DataToolRun check = runDataTool(in({ "check" }));
    EXPECT_TRUE((check.outText() + check.errText()).contains("Secfile2.fil.Ab12Cd"))
        << check.outText().toStdString() << check.errText().toStdString();
    EXPECT_TRUE(folder.exists("Secfile2.fil.Ab12Cd"));

    ASSERT_EQ(runDataToolWithInput(in({ "passwords", "protect" }), "pw\n").exitCode, 0);
    EXPECT_FALSE(folder.exists("Secfile2.fil.Ab12Cd"));
}

TEST_F(PasswordsCommandTest, ChangeMasterReadsTheOldPasswordThenTheNew)
{
    ASSERT_EQ(runDataToolWithInput(in({ "passwords", "protect" }), "old\n").exitCode, 0);
    const DataToolRun changed
        = runDataToolWithInput(in({ "passwords", "change-master" }), "old\nnew\n");
    ASSERT_EQ(changed.exitCode, 0) << changed.errText().toStdString();
    EXPECT_EQ(runDataToolWithInput(in({ "list", "passwords" }), "old\n").exitCode, 1);
    EXPECT_EQ(runDataToolWithInput(in({ "list", "passwords" }), "new\n").exitCode, 0);
}

TEST_F(PasswordsCommandTest, CheckLooksAtTheVaultWithoutItsPassword)
{
    ASSERT_EQ(runDataToolWithInput(in({ "passwords", "protect" }), "pw\n").exitCode, 0);
    const DataToolRun sound = runDataTool(in({ "check" }));
    EXPECT_EQ(sound.exitCode, 0) << sound.outText().toStdString();
    EXPECT_TRUE(sound.outText().contains("need the master password"))
        << sound.outText().toStdString();

    QByteArray vault = folder.read("Secvault.vlt");
    vault.chop(1);
    folder.write("Secvault.vlt", vault);
    const DataToolRun damaged = runDataTool(in({ "check" }));
    EXPECT_EQ(damaged.exitCode, 1);
    EXPECT_TRUE(damaged.outText().contains("Secvault.vlt: is damaged"))
        << damaged.outText().toStdString();
}

TEST_F(PasswordsCommandTest, ProtectionCommandsRefuseWhatDoesNotApply)
{
    struct Case {
        QStringList arguments;
        int exitCode;
    };
    const Case cases[] = {
        { { "passwords" }, 2 },
        { { "passwords", "lock" }, 2 },
        { { "passwords", "unprotect" }, 1 },
        { { "passwords", "change-master" }, 1 },
    };
    for (const Case& c : cases) {
        const DataToolRun run = runDataToolWithInput(in(c.arguments), "pw\n");
        EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments.join(' ').toStdString();
    }
    ASSERT_EQ(runDataToolWithInput(in({ "passwords", "protect" }), "pw\n").exitCode, 0);
    EXPECT_EQ(runDataToolWithInput(in({ "passwords", "protect" }), "pw\n").exitCode, 1);
}

} // namespace

namespace {

// A backup holds the keeper in the form it has: the vault of a protected
// keeper, the two classic files otherwise, never both; a restore brings
// that form back and says so when it takes protection away.
TEST_F(PasswordsCommandTest, BackupsKeepTheKeeperInItsFormAndRestoresSayWhenProtectionGoes)
{
    TemporaryProgramFolder classicBackup;
    ASSERT_EQ(runDataTool(in({ "backup", "passwords", classicBackup.path() })).exitCode, 0);
    ASSERT_TRUE(classicBackup.exists("Secfile1.Fil"));
    const DataToolRun before = exportCsv();

    ASSERT_EQ(runDataToolWithInput(in({ "passwords", "protect" }), "pw\n").exitCode, 0);
    TemporaryProgramFolder vaultBackup;
    for (const TemporaryProgramFolder* target : { &vaultBackup, &classicBackup }) {
        const DataToolRun backup = runDataTool(in({ "backup", "passwords", target->path() }));
        ASSERT_EQ(backup.exitCode, 0) << backup.errText().toStdString();
        EXPECT_TRUE(target->exists("Secvault.vlt"));
        EXPECT_FALSE(target->exists("Secfile1.Fil"));
        EXPECT_FALSE(target->exists("Secfile2.Fil"));
    }

    TemporaryProgramFolder olderClassic;
    {
        TemporaryProgramFolder unprotected;
        buildSoundFolder(unprotected);
        ASSERT_EQ(
            runDataTool({ "backup", "passwords", olderClassic.path(), "--dir", unprotected.path() })
                .exitCode,
            0);
    }
    const DataToolRun unprotecting
        = runDataTool(in({ "restore", "passwords", olderClassic.path(), "--yes" }));
    ASSERT_EQ(unprotecting.exitCode, 0) << unprotecting.errText().toStdString();
    EXPECT_TRUE(unprotecting.errText().contains("will no longer be protected"))
        << unprotecting.errText().toStdString();
    EXPECT_FALSE(folder.exists("Secvault.vlt"));
    EXPECT_EQ(exportCsv().out, before.out);

    const DataToolRun protecting
        = runDataTool(in({ "restore", "passwords", vaultBackup.path(), "--yes" }));
    ASSERT_EQ(protecting.exitCode, 0) << protecting.errText().toStdString();
    EXPECT_TRUE(folder.exists("Secvault.vlt"));
    EXPECT_FALSE(folder.exists("Secfile1.Fil"));
    EXPECT_FALSE(folder.exists("Secfile2.fil"));
    EXPECT_EQ(exportCsv("pw\n").out, before.out);
}

} // namespace
