#include "passwords/PasswordImport.h"

#include "TemporaryProgramFolder.h"

#include "passwords/IndexItem.h"
#include "passwords/PasswordFiles.h"
#include "passwords/PasswordRecord.h"

#include <QFile>
#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace {

using Action = PasswordImport::Action;
using Format = PasswordImport::Format;

QByteArray fixture(const char* name)
{
    QFile file(QStringLiteral(HALVORN_PASSWORD_FIXTURES "/") + QLatin1String(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return file.readAll();
}

class PasswordImportTest : public testing::Test
{
protected:
    PasswordFiles files() { return PasswordFiles(folder.folder(), &random); }

    PasswordImport::Plan plan(const QByteArray& bytes, bool cut = false)
    {
        const std::optional<Format> format = PasswordImport::detect(bytes);
        EXPECT_TRUE(format.has_value());
        return PasswordImport::plan(PasswordImport::read(bytes, format.value_or(Format::KeePassXc)),
            files().LoadIndex(), cut);
    }

    // Imports bytes, then reads every entry back from the keeper's files.
    QList<PasswordEntry> imported(const QByteArray& bytes)
    {
        PasswordFiles target = files();
        const Outcome outcome = PasswordImport::apply(target, plan(bytes));
        EXPECT_TRUE(outcome) << outcome.reason.toStdString();
        QList<PasswordEntry> entries;
        for (const QString& item : target.LoadIndex())
            entries.append(target.loadEntry(item).value_or(PasswordEntry {}));
        return entries;
    }

    QByteArray storedFiles() const
    {
        return folder.read("Secfile1.Fil") + "|" + folder.read("Secfile2.fil");
    }

    TemporaryProgramFolder folder;
    QRandomGenerator random { 3 };
};

TEST_F(PasswordImportTest, KeePassXcExportKeepsQuotesLineBreaksAndAccents)
{
    const QList<PasswordEntry> expected {
        { "Café wifi", "", "wörd-Straße!", "" },
        { "https://mail.example/login", "jane@mail.example", "p,a\"ss", "Mail" },
        { "https://www.bank.example", "jane", "Xk9#mP2$vL",
            "My Bank\nBranch: \"Main Street\"\nCard ends 4411" },
    };
    EXPECT_EQ(imported(fixture("keepassxc.csv")), expected);
}

TEST_F(PasswordImportTest, BitwardenExportBringsLoginsAndNotesAndNamesWhatItSkips)
{
    const QByteArray bytes = fixture("bitwarden.json");
    const PasswordImport::Plan planned = plan(bytes);
    EXPECT_EQ(planned.skippedKinds, QStringList { "item 3 (Visa): a card is not imported" });

    const QList<PasswordEntry> expected {
        { "Alarm code", "", "", "4711, then #" },
        { "Forum", "jd", "f0rum-Pass", "" },
        { "https://shop.example/", "jane", "Shop!2024#x", "Shop\nLoyalty no. 77\nAsk for Ann" },
    };
    EXPECT_EQ(imported(bytes), expected);
}

TEST_F(PasswordImportTest, BrowserExportTakesTheHostWhereItHasNoName)
{
    const QList<PasswordEntry> expected {
        { "https://news.example/", "reader", "N3ws!reader", "news.example" },
        { "https://q.example/", "a \"quoted\" id", "q-Pass!9", "Quoted, name" },
        { "https://shop.example/account", "jane", "Shop!2024#x", "shop.example" },
    };
    EXPECT_EQ(imported(fixture("browser.csv")), expected);
}

TEST_F(PasswordImportTest, FormatsAreToldApartAndNamed)
{
    EXPECT_EQ(PasswordImport::detect(fixture("keepassxc.csv")), Format::KeePassXc);
    EXPECT_EQ(PasswordImport::detect(fixture("bitwarden.json")), Format::Bitwarden);
    EXPECT_EQ(PasswordImport::detect(fixture("browser.csv")), Format::Browser);
    EXPECT_EQ(PasswordImport::detect("just,some,columns\n1,2,3\n"), std::nullopt);
    EXPECT_EQ(PasswordImport::formatNamed("bitwarden"), Format::Bitwarden);
    EXPECT_EQ(PasswordImport::formatNamed("lastpass"), std::nullopt);
}

TEST_F(PasswordImportTest, FilesThatCannotBeReadSayWhy)
{
    const struct {
        Format format;
        QByteArray bytes;
        const char* error;
    } cases[] = {
        { Format::Bitwarden, R"({"encrypted": true, "items": []})",
            "the export is encrypted; export the vault again in the unencrypted JSON format" },
        { Format::Bitwarden, "{\"items\": [", "the file is not JSON" },
        { Format::Bitwarden, "{\"folders\": []}", "the file holds no \"items\"" },
        { Format::KeePassXc, "\"Group\",\"Title\"\n\"a\",\"b\"\n",
            "line 1: the header lacks the column Username, Password, URL, Notes" },
        { Format::Browser, "url,username,password\n\"https://a.example,x,y\n", "line 2" },
        { Format::Browser, "", "the file holds no header line" },
    };
    for (const auto& c : cases) {
        const ImportedPasswords read = PasswordImport::read(c.bytes, c.format);
        EXPECT_TRUE(read.error.startsWith(QLatin1String(c.error))) << read.error.toStdString();
        EXPECT_FALSE(PasswordImport::plan(read, {}, false).canImport());
    }
}

TEST_F(PasswordImportTest, EachEntryIsAddedSkippedOrRefusedWithItsReason)
{
    ASSERT_TRUE(files().AddEntry({ "https://listed.example", "", "x", "" }));
    const QByteArray csv = QByteArray("name,url,username,password\n"
                                      "Fine,https://fine.example,me,Pw-1\n"
                                      "Listed,https://listed.example,me,Pw-2\n"
                                      "Again,https://fine.example,me,Pw-3\n"
                                      "Kanji,https://k.example,\xE6\x97\xA5\xE6\x9C\xAC,Pw-4\n"
                                      "Trailing,https://t.example,me,\"Pw-5 \"\n"
                                      ",,me,Pw-6\n"
                                      "\"Quote \"\"x\"\"\",,me,Pw-7\n")
        + "Long,https://l.example,me," + QByteArray(51, 'p') + "\n";
    const PasswordImport::Plan planned = plan(csv, true);

    const struct {
        Action action;
        const char* reason;
    } expected[] = {
        { Action::Add, "" },
        { Action::Skip, "\"https://listed.example\" is already listed" },
        { Action::Skip, "\"https://fine.example\" stands earlier in the file" },
        { Action::Refuse, "The Sign On ID contains characters that cannot be stored" },
        { Action::Refuse, "the password ends with a blank" },
        { Action::Refuse, "it has neither a web address nor a title" },
        { Action::Refuse, "The name cannot contain a double quote" },
        { Action::Refuse, "the password has 51 characters, more than 50, and a shortened" },
    };
    ASSERT_EQ(planned.entries.size(), std::size(expected));
    for (qsizetype i = 0; i < planned.entries.size(); ++i) {
        SCOPED_TRACE(planned.entries[i].origin.toStdString());
        EXPECT_EQ(planned.entries[i].origin, QStringLiteral("line %1").arg(i + 2));
        EXPECT_EQ(planned.entries[i].action, expected[i].action);
        const QString reason = planned.entries[i].reason;
        EXPECT_EQ(reason.left(qsizetype(strlen(expected[i].reason))), expected[i].reason)
            << reason.toStdString();
    }

    // One refused entry keeps every other one out too.
    const QByteArray before = storedFiles();
    PasswordFiles target = files();
    EXPECT_FALSE(PasswordImport::apply(target, planned));
    EXPECT_EQ(storedFiles(), before);
}

TEST_F(PasswordImportTest, OverLongFieldsAreRefusedUnlessTheUserAgreesToCut)
{
    const QString longTitle(120, u't');
    const QByteArray csv = "Group,Title,Username,Password,URL,Notes\n"
                           "Root,"
        + longTitle.toUtf8() + "," + QByteArray(60, 'u') + ",pw,," + QByteArray(150, 'n') + "\n";

    const PasswordImport::Plan refused = plan(csv, false);
    ASSERT_EQ(refused.entries.size(), 1);
    EXPECT_EQ(refused.entries[0].action, Action::Refuse);
    EXPECT_EQ(refused.entries[0].reason,
        "the name has 120 characters, more than 100; the user name has 60 characters, more "
        "than 50");
    EXPECT_TRUE(refused.hasOverLong());
    EXPECT_FALSE(refused.canImport());

    const PasswordImport::Plan cut = plan(csv, true);
    ASSERT_TRUE(cut.canImport());
    EXPECT_TRUE(cut.entries[0].reason.startsWith(QLatin1String("cut: the name has 120")));
    PasswordFiles target = files();
    ASSERT_TRUE(PasswordImport::apply(target, cut));
    const PasswordEntry stored = *target.loadEntry(target.LoadIndex().first());
    EXPECT_EQ(stored.name, longTitle.left(100));
    EXPECT_EQ(stored.signOn, QString(50, u'u'));
    // The whole title begins the comment, then the notes, up to 200.
    EXPECT_EQ(stored.comment, (longTitle + u'\n' + QString(150, u'n')).left(200));
}

TEST_F(PasswordImportTest, AnImportBeyondTheKeepersRoomIsRefusedWhole)
{
    QRandomGenerator fill(9);
    const QByteArray inUse = PasswordRecord::ScrambleEntry("id", "pw", "", fill).bytes();
    // Records in use that the index does not list: the room runs out
    // half-way, and the first entry added must go again.
    folder.write("Secfile2.fil", inUse.repeated(PasswordFiles::MaximumRecords - 1));
    PasswordFiles target = files();
    const Outcome outcome = PasswordImport::apply(target,
        plan("url,username,password\nhttps://a.example,me,Pw-1\nhttps://b.example,me,Pw-2\n"));
    EXPECT_FALSE(outcome);
    EXPECT_TRUE(outcome.reason.startsWith(
        QLatin1String("Nothing was imported: https://b.example (line 3) could not be added")))
        << outcome.reason.toStdString();
    EXPECT_TRUE(target.LoadIndex().isEmpty());
    EXPECT_FALSE(target.readRecord(PasswordFiles::MaximumRecords)->isInUse());
}

} // namespace
