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
        PasswordImport::Choices choices;
        choices.cut = cut;
        return plan(bytes, choices);
    }
    PasswordImport::Plan plan(const QByteArray& bytes, const PasswordImport::Choices& choices)
    {
        const std::optional<Format> format = PasswordImport::detect(bytes);
        EXPECT_TRUE(format.has_value());
        return PasswordImport::plan(PasswordImport::read(bytes, format.value_or(Format::KeePassXc)),
            files().loadAllEntries(), choices);
    }

    // Imports bytes, then reads every entry back from the keeper's files.
    QList<PasswordEntry> imported(
        const QByteArray& bytes, const PasswordImport::Choices& choices = {})
    {
        PasswordFiles target = files();
        const Outcome outcome = PasswordImport::apply(target, plan(bytes, choices));
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
        { "https://mail.example/login", "jane@mail.example", "p,a\"ss", "Mail\nGroup: Mail" },
        { "https://www.bank.example", "jane", "Xk9#mP2$vL",
            "My Bank\nBranch: \"Main Street\"\nCard ends 4411\nGroup: Banking" },
    };
    EXPECT_EQ(imported(fixture("keepassxc.csv")), expected);
}

TEST_F(PasswordImportTest, BitwardenExportBringsLoginsNotesAndCards)
{
    const QByteArray bytes = fixture("bitwarden.json");
    const PasswordImport::Plan planned = plan(bytes);
    EXPECT_TRUE(planned.skippedKinds.isEmpty());

    const QList<PasswordEntry> expected {
        { "Alarm code", "", "", "4711, then #" },
        { "Forum", "jd", "f0rum-Pass", "" },
        { "https://shop.example/", "jane", "Shop!2024#x",
            "Shop\nLoyalty no. 77\nAsk for Ann\nAlso: https://m.shop.example\nFolder: Shopping" },
        { "Visa", "4111111111111111", "", "" },
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
        EXPECT_FALSE(PasswordImport::plan(read, {}, {}).canImport());
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
        { Action::Add, "" },
        { Action::Add, "" },
        { Action::Refuse,
            "The Sign On ID contains characters that cannot be stored in an unprotected "
            "Password Keeper: \"\u65E5\" (U+65E5). To keep such text, protect the keeper" },
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
        const QString wanted = QString::fromUtf8(expected[i].reason);
        EXPECT_TRUE(wanted.isEmpty() ? reason.isEmpty() : reason.startsWith(wanted))
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

// Two accounts on one site are two entries; only the same address, sign-on
// and password all together make an entry the keeper already has.
TEST_F(PasswordImportTest, AnEntryIsSkippedOnlyWhenAddressSignOnAndPasswordAllAgree)
{
    ASSERT_TRUE(files().AddEntry({ "https://site.example", "ann", "Pw-A", "" }));
    const PasswordImport::Plan planned = plan("url,username,password\n"
                                              "https://site.example,ann,Pw-A\n"
                                              "https://site.example,bob,Pw-A\n"
                                              "https://site.example,ann,Pw-B\n"
                                              "https://other.example,ann,Pw-A\n"
                                              " https://site.example ,bob,Pw-A\n"
                                              "https://site.example,Ann,Pw-A\n");
    const struct {
        Action action;
        const char* reason;
    } expected[] = {
        { Action::Skip,
            "\"https://site.example\" is already listed with this sign-on and password" },
        { Action::Add, "" },
        { Action::Add, "" },
        { Action::Add, "" },
        { Action::Skip,
            "\"https://site.example\" with this sign-on and password stands earlier in the file "
            "(line 3)" },
        { Action::Add, "" },
    };
    ASSERT_EQ(planned.entries.size(), std::size(expected));
    for (qsizetype i = 0; i < planned.entries.size(); ++i) {
        SCOPED_TRACE(planned.entries[i].origin.toStdString());
        EXPECT_EQ(planned.entries[i].action, expected[i].action);
        EXPECT_EQ(planned.entries[i].reason, expected[i].reason);
    }

    PasswordFiles target = files();
    ASSERT_TRUE(PasswordImport::apply(target, planned));
    QStringList names;
    for (const QString& item : target.LoadIndex())
        names.append(IndexItem(item).name());
    EXPECT_EQ(names,
        QStringList({ "https://other.example", "https://site.example", "https://site.example",
            "https://site.example", "https://site.example" }));
}

TEST_F(PasswordImportTest, TheRecycleBinIsLeftOutAndCountedUnlessTaken)
{
    // Only the bin just below the top group is KeePassXC's: a group of that
    // name elsewhere is the user's own.
    const QByteArray csv = "\"Group\",\"Title\",\"Username\",\"Password\",\"URL\",\"Notes\"\n"
                           "\"Root\",\"Live\",\"a\",\"Pw-1\",\"https://live.example\",\"\"\n"
                           "\"Root/Recycle Bin\",\"Gone\",\"b\",\"Pw-2\",\"\",\"\"\n"
                           "\"Root/Recycle Bin/Shop\",\"Gone too\",\"c\",\"Pw-3\",\"\",\"\"\n"
                           "\"Root/Old/Recycle Bin\",\"Kept\",\"d\",\"Pw-4\",\"\",\"\"\n";
    const PasswordImport::Plan leftOut = plan(csv);
    EXPECT_EQ(leftOut.deletedLeftOut, 2);
    ASSERT_EQ(leftOut.entries.size(), 2);
    EXPECT_EQ(leftOut.entries[1].entry.comment, "Group: Old/Recycle Bin");

    PasswordImport::Choices everything;
    everything.includeDeleted = true;
    const PasswordImport::Plan taken = plan(csv, everything);
    EXPECT_EQ(taken.deletedLeftOut, 0);
    ASSERT_EQ(taken.count(Action::Add), 4);
    EXPECT_EQ(taken.entries[2].entry,
        (PasswordEntry { "Gone too", "c", "Pw-3", "Group: Recycle Bin/Shop" }));
}

// What has no box follows the notes; where the comment cannot hold it all,
// the entry names what would be lost, and the user cuts it or leaves the
// entry out.
TEST_F(PasswordImportTest, LinesThatDoNotFitTheCommentAreNamedAndCutOrLeftOut)
{
    const QByteArray notes(150, 'n');
    const QByteArray totp = "otpauth://totp/Bank:ann?secret=JBSWY3DPEHPK3PXPJBSWY3DPEHPK3PXP";
    const QByteArray csv
        = "\"Group\",\"Title\",\"Username\",\"Password\",\"URL\",\"Notes\",\"TOTP\"\n"
          "\"Root\",\"Bank\",\"ann\",\"Pw-1\",\"\",\""
        + notes + "\",\"" + totp
        + "\"\n"
          "\"Root\",\"Fits\",\"ann\",\"Pw-2\",\"\",\"short\",\""
        + totp
        + "\"\n"
          "\"Root/Cards/Old\",\"Full\",\"ann\",\"Pw-3\",\"\",\""
        + QByteArray(210, 'm') + "\",\"\"\n";

    const PasswordImport::Plan refused = plan(csv);
    ASSERT_EQ(refused.entries.size(), 3);
    EXPECT_EQ(refused.entries[0].action, Action::Refuse);
    EXPECT_EQ(refused.entries[0].reason,
        "the comment has 220 characters, more than 200; beyond them: part of TOTP");
    EXPECT_EQ(refused.entries[1].entry.comment, "short\nTOTP: " + QString::fromLatin1(totp));
    EXPECT_EQ(refused.entries[2].reason,
        "the comment has 227 characters, more than 200; beyond them: part of the notes, Group");
    EXPECT_FALSE(refused.canImport());

    const PasswordImport::Plan cut = plan(csv, true);
    ASSERT_TRUE(cut.canImport());
    EXPECT_EQ(cut.entries[0].entry.comment,
        (QString::fromLatin1(notes) + "\nTOTP: " + QString::fromLatin1(totp)).left(200));

    PasswordImport::Choices leaveOut;
    leaveOut.skipRefused = true;
    const QList<PasswordEntry> kept = imported(csv, leaveOut);
    ASSERT_EQ(kept.size(), 1);
    EXPECT_EQ(kept[0].name, "Fits");
}

// A keeper without protection holds Windows-1252 text only: each entry with
// another character is refused on its own, the character named; a
// protected keeper takes them all, an emoji counting as one character.
TEST_F(PasswordImportTest, CharactersTheKeeperCannotHoldRefuseTheirEntryAlone)
{
    const QByteArray csv = "name,url,username,password,note\n"
                           "Plain,https://plain.example,ann,Caf\xC3\xA9-\xE2\x82\xAC,\n"
                           "Greek,https://gr.example,ann,\xCE\xB1\xCE\xB2\xCE\xB3-Pw,\n"
                           "Kanji,https://\xE6\x97\xA5.example,ann,Pw-2,\n"
                           "Smile,https://smile.example,ann,Pw-3,\"see \xF0\x9F\x98\x80\"\n";
    const PasswordImport::Plan planned = plan(csv);
    const QStringList reasons { "",
        "The Password contains characters that cannot be stored in an unprotected Password "
        "Keeper: \"\u03B1\" (U+03B1).",
        "The Name contains characters that cannot be stored in an unprotected Password "
        "Keeper: \"\u65E5\" (U+65E5).",
        "The Comment contains characters that cannot be stored in an unprotected Password "
        "Keeper: \"\U0001F600\" (U+1F600)." };
    ASSERT_EQ(planned.entries.size(), reasons.size());
    for (qsizetype i = 0; i < reasons.size(); ++i) {
        if (i == 0) {
            EXPECT_EQ(planned.entries[i].action, Action::Add);
            continue;
        }
        EXPECT_TRUE(planned.entries[i].reason.startsWith(reasons[i]))
            << planned.entries[i].reason.toStdString();
        EXPECT_TRUE(planned.entries[i].reason.endsWith(
            "To keep such text, protect the keeper with a master password (Options, Protect "
            "with a Master Password...)."));
    }
    EXPECT_FALSE(planned.canImport());

    PasswordImport::Choices unicode;
    unicode.form = KeeperText::Form::Unicode;
    EXPECT_EQ(plan(csv, unicode).count(Action::Add), 4);
    const QByteArray fiftyEmoji = QByteArray("\xF0\x9F\x98\x80").repeated(50);
    EXPECT_EQ(plan("url,username,password\nhttps://e.example," + fiftyEmoji + ",pw\n", unicode)
                  .count(Action::Add),
        1);

    PasswordImport::Choices leaveOut;
    leaveOut.skipRefused = true;
    EXPECT_EQ(imported(csv, leaveOut),
        QList<PasswordEntry>({ { "https://plain.example", "ann", "Caf\u00E9-\u20AC", "Plain" } }));
}

} // namespace
