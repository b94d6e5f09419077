#include "passwords/PasswordFiles.h"

#include "ReadOnlyFolder.h"
#include "TemporaryProgramFolder.h"

#include "passwords/IndexItem.h"
#include "storage/Windows1252.h"

#include <QFile>
#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace {

class PasswordFilesTest : public testing::Test
{
protected:
    PasswordFiles files() { return PasswordFiles(m_folder.folder(), &m_random); }

    struct Added {
        Outcome outcome;
        int recordNumber = 0;
    };

    Added add(const QString& name, const QString& password = "pw")
    {
        Added added;
        added.outcome = files().AddEntry({ name, "id", password, "note" },
            PasswordFiles::SameName::Refused, &added.recordNumber);
        return added;
    }

    QByteArray index() const { return m_folder.read("Secfile1.Fil"); }
    QByteArray entries() const { return m_folder.read("Secfile2.fil"); }
    QByteArray record(int number) const { return entries().mid((number - 1) * 335, 335); }

    // An entries file whose records 1 to count are all in use.
    void writeRecordsInUse(int count)
    {
        QRandomGenerator random(3);
        const QByteArray one = PasswordRecord::ScrambleEntry("id", "pw", "note", random).bytes();
        m_folder.write("Secfile2.fil", one.repeated(count));
    }

    TemporaryProgramFolder m_folder;
    QRandomGenerator m_random { 11 };
};

QString item(const QString& name, int number)
{
    return IndexItem::build(name, number).text();
}

QByteArray line(const QString& value)
{
    return '"' + Windows1252::encode(value) + "\"\r\n";
}

} // namespace

TEST_F(PasswordFilesTest, AddingFillsRecordsInOrderAndDeletingFreesOneForReuse)
{
    EXPECT_EQ(add("alpha").recordNumber, 1);
    EXPECT_EQ(add("beta").recordNumber, 2);
    EXPECT_EQ(add("gamma").recordNumber, 3);

    const Outcome deleted = files().DeleteEntry(item("beta", 2));
    ASSERT_TRUE(deleted.succeeded) << deleted.reason.toStdString();
    EXPECT_EQ(record(2), QByteArray(335, ' '));
    EXPECT_EQ(index(), line(item("alpha", 1)) + line(item("gamma", 3)));

    const Added added = add("delta");
    ASSERT_TRUE(added.outcome.succeeded);
    EXPECT_EQ(added.recordNumber, 2);
    EXPECT_EQ(
        files().LoadIndex(), QStringList({ item("alpha", 1), item("delta", 2), item("gamma", 3) }));
}

TEST_F(PasswordFilesTest, AnIndexLineIsTheQuoted112CharacterItem)
{
    ASSERT_TRUE(files().WriteIndex({ item("Bank", 12) }));

    const QByteArray expected = "\"Bank" + QByteArray(106, ' ') + "12\"\r\n";
    EXPECT_EQ(index(), expected);
    EXPECT_EQ(index().size(), 1 + 112 + 1 + 2);
}

TEST_F(PasswordFilesTest, AnEntryReadsBackAsWrittenWithWindows1252CharactersAndCommas)
{
    const PasswordEntry entry { "  Caf\u00e9, Z\u00fcrich \u20ac", " my id, x ", "p\u00e4ss \u00f9",
        "line one\r\nline two, \u201cquoted\u201d  " };

    const Outcome added = files().AddEntry(entry);
    ASSERT_TRUE(added.succeeded) << added.reason.toStdString();

    const QStringList items = files().LoadIndex();
    ASSERT_EQ(items.size(), 1);
    EXPECT_EQ(items.first(), item(entry.name, 1));
    EXPECT_EQ(files().loadEntry(items.first()), entry);
}

TEST_F(PasswordFilesTest, WritingAndLoadingTheIndexKeepsEveryItem)
{
    QStringList items;
    for (const QString& value : { item("\u00c9cole \u20ac", 4), item("bank, main", 1),
             item("Bank", 2), item(QString(100, u'z'), 10000) })
        PasswordFiles::insertSorted(items, value);
    ASSERT_TRUE(files().WriteIndex(items));
    const QByteArray written = index();

    const QStringList loaded = files().LoadIndex();
    ASSERT_TRUE(files().WriteIndex(loaded));

    EXPECT_EQ(loaded, items);
    EXPECT_EQ(index(), written);
}

TEST_F(PasswordFilesTest, LoadIndexSortsWithoutRegardToCaseAndDropsEmptyValues)
{
    m_folder.write("SECFILE1.FIL",
        line(item("charlie", 3)) + "\r\n" + line(item("Bravo", 2)) + line("")
            + line(item("alpha", 1)));

    EXPECT_EQ(files().LoadIndex(),
        QStringList({ item("alpha", 1), item("Bravo", 2), item("charlie", 3) }));
}

TEST_F(PasswordFilesTest, MissingFilesGiveAnEmptyListAndRecordOneFree)
{
    EXPECT_TRUE(files().LoadIndex().isEmpty());
    EXPECT_EQ(files().FindFreeRecord(), 1);
}

TEST_F(PasswordFilesTest, AnEmptyListWritesAnEmptyIndex)
{
    ASSERT_TRUE(files().WriteIndex({ item("a", 1) }));
    ASSERT_TRUE(files().WriteIndex({}));
    EXPECT_TRUE(m_folder.exists("Secfile1.Fil"));
    EXPECT_EQ(index(), QByteArray());
}

TEST_F(PasswordFilesTest, ReplacingRewritesOnlyThatRecordAndLeavesTheIndex)
{
    add("alpha");
    add("beta");
    const QByteArray indexBefore = index();
    const QByteArray firstBefore = record(1);

    const Outcome replaced = files().ReplaceEntry(2, { "beta", "new id", "new pw", "" });

    ASSERT_TRUE(replaced.succeeded);
    EXPECT_EQ(index(), indexBefore);
    EXPECT_EQ(record(1), firstBefore);
    EXPECT_EQ(
        files().loadEntry(item("beta", 2)), PasswordEntry({ "beta", "new id", "new pw", "" }));
}

TEST_F(PasswordFilesTest, NamesThatCannotBeAddedAreRefusedBeforeAnyFileIsTouched)
{
    add(" Bank ");
    const QByteArray indexBefore = index();
    const QByteArray entriesBefore = entries();

    const struct {
        const char* what;
        QString name;
    } cases[] = {
        { "empty", "" },
        { "blanks only", "    " },
        { "double quote", "My \"bank\"" },
        { "tab", "a\tb" },
        { "line break", "a\nb" },
        { "not in the code page", "\u0100 bank" },
        { "101 characters", QString(101, u'n') },
        { "listed already, after trimming", "Bank" },
        { "listed already, with other blanks", "   Bank" },
    };
    for (const auto& c : cases) {
        const Added result = add(c.name);
        EXPECT_FALSE(result.outcome.succeeded) << c.what;
        EXPECT_FALSE(result.outcome.reason.isEmpty()) << c.what;
    }
    EXPECT_EQ(index(), indexBefore);
    EXPECT_EQ(entries(), entriesBefore);
}

TEST_F(PasswordFilesTest, NamesAtTheLimitsAreAccepted)
{
    for (const QString& name :
        { QString(100, u'n'), QStringLiteral("bank"), QStringLiteral("www.bank.com/a,b") }) {
        const Added result = add(name);
        EXPECT_TRUE(result.outcome.succeeded)
            << name.toStdString() << ": " << result.outcome.reason.toStdString();
    }
    EXPECT_EQ(files().LoadIndex().size(), 3);
}

TEST_F(PasswordFilesTest, RefusalReasonsNameTheProblem)
{
    EXPECT_EQ(PasswordFiles::nameRefusal("Bank", { item("Bank", 1) }),
        "A Password File named \"Bank\" already exists.");
    EXPECT_EQ(PasswordFiles::nameRefusal(QString(101, u'n'), {}),
        "The name can be at most 100 characters long.");
    EXPECT_EQ(
        PasswordFiles::nameRefusal("a\"b", {}), "The name cannot contain a double quote (\").");
}

TEST_F(PasswordFilesTest, FieldsThatCannotBeStoredFaithfullyAreRefused)
{
    const QChar lostSignOn = PasswordRecord::lostAtFieldEnd(PasswordRecord::SignOn);
    const QChar lostComment = PasswordRecord::lostAtFieldEnd(PasswordRecord::Comment);
    const struct {
        const char* what;
        PasswordEntry entry;
        bool accepted;
    } cases[] = {
        { "sign-on of 50", { "n", QString(50, u's'), "", "" }, true },
        { "sign-on of 51", { "n", QString(51, u's'), "", "" }, false },
        { "password of 50 and trailing blanks", { "n", "", QString(50, u'p') + "   ", "" }, true },
        { "password of 51", { "n", "", QString(51, u'p'), "" }, false },
        { "comment of 200", { "n", "", "", QString(200, u'c') }, true },
        { "comment of 201", { "n", "", "", QString(201, u'c') }, false },
        { "sign-on ending in the character that scrambles to a blank",
            { "n", QString("id") + lostSignOn, "", "" }, false },
        { "that character inside the sign-on", { "n", QString(lostSignOn) + "id", "", "" }, true },
        { "comment ending in the character that scrambles to a blank",
            { "n", "", "", QString("c") + lostComment }, false },
        { "password not in the code page", { "n", "", "\u4e2d", "" }, false },
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PasswordFiles::fieldsRefusal(c.entry).isEmpty(), c.accepted) << c.what;
    }
}

TEST_F(PasswordFilesTest, FindByNameComparesTrimmedNamesWithLetterCase)
{
    const QStringList items = { item("alpha", 1), item(" Bank  ", 2) };

    EXPECT_EQ(PasswordFiles::findByName(items, "Bank"), 1);
    EXPECT_EQ(PasswordFiles::findByName(items, "  Bank "), 1);
    EXPECT_EQ(PasswordFiles::findByName(items, "bank"), -1);
    EXPECT_EQ(PasswordFiles::findByName(items, ""), -1);
}

TEST_F(PasswordFilesTest, WhenAll10000RecordsAreInUseAddingIsRefusedAndNothingChanges)
{
    writeRecordsInUse(10000);
    ASSERT_TRUE(files().WriteIndex({ item("one", 1) }));
    const QByteArray indexBefore = index();
    const QByteArray entriesBefore = entries();

    EXPECT_EQ(files().FindFreeRecord(), std::nullopt);
    const Added result = add("new");

    EXPECT_FALSE(result.outcome.succeeded);
    EXPECT_TRUE(result.outcome.reason.contains("full")) << result.outcome.reason.toStdString();
    EXPECT_TRUE(result.outcome.reason.contains("10,000")) << result.outcome.reason.toStdString();
    EXPECT_EQ(index(), indexBefore);
    EXPECT_EQ(entries(), entriesBefore);
}

TEST_F(PasswordFilesTest, TheSearchStopsAtRecord10000)
{
    writeRecordsInUse(10000);
    QByteArray bytes = entries();
    bytes.append(QByteArray(335, ' ')); // record 10,001, free but out of reach
    m_folder.write("Secfile2.fil", bytes);

    EXPECT_EQ(files().FindFreeRecord(), std::nullopt);

    bytes.replace(7776 * 335, 335, QByteArray(335, ' '));
    m_folder.write("Secfile2.fil", bytes);
    EXPECT_EQ(files().FindFreeRecord(), 7777);
    EXPECT_EQ(add("new").recordNumber, 7777);
}

TEST_F(PasswordFilesTest, RecordsInUseAreNeverTakenAndRecordsBeyondTheEndAreFree)
{
    writeRecordsInUse(3);
    EXPECT_EQ(files().FindFreeRecord(), 4);
    EXPECT_EQ(add("x").recordNumber, 4);
    EXPECT_EQ(entries().size(), 4 * 335);
}

TEST_F(PasswordFilesTest, AFailedIndexWriteKeepsThePreviousIndexAndGivesTheRecordBack)
{
    add("alpha");
    ASSERT_TRUE(files().DeleteEntry(item("alpha", 1)));
    add("beta");
    const QByteArray indexBefore = index();
    const QByteArray entriesBefore = entries();

    {
        ReadOnlyFolder readOnly(m_folder.path());
        if (!readOnly.isEffective())
            GTEST_SKIP() << "cannot make a folder read-only here";

        const Outcome written = files().WriteIndex({ item("other", 9) });
        EXPECT_FALSE(written.succeeded);
        EXPECT_FALSE(written.reason.isEmpty());

        const Added added = add("gamma");
        EXPECT_FALSE(added.outcome.succeeded);
        EXPECT_FALSE(added.outcome.reason.isEmpty());
        EXPECT_EQ(files().FindFreeRecord(), 2);

        const Outcome deleted = files().DeleteEntry(item("beta", 1));
        EXPECT_FALSE(deleted.succeeded);
        EXPECT_FALSE(deleted.reason.isEmpty());
    }
    EXPECT_EQ(index(), indexBefore);
    EXPECT_EQ(record(1), entriesBefore.mid(0, 335));
    EXPECT_EQ(files().loadEntry(item("beta", 1)), PasswordEntry({ "beta", "id", "pw", "note" }));
}

TEST_F(PasswordFilesTest, DeletingAnItemNotListedChangesNothing)
{
    add("alpha");
    const QByteArray indexBefore = index();
    const QByteArray entriesBefore = entries();

    const Outcome result = files().DeleteEntry(item("alpha", 2));

    EXPECT_FALSE(result.succeeded);
    EXPECT_EQ(index(), indexBefore);
    EXPECT_EQ(entries(), entriesBefore);
}

TEST_F(PasswordFilesTest, ASecondEntryOfOneNameIsAddedOnlyWhenAllowed)
{
    add("Bank", "first");
    const QByteArray entriesBefore = entries();

    EXPECT_FALSE(add(" Bank").outcome.succeeded);
    EXPECT_EQ(entries(), entriesBefore);

    int secondRecord = 0;
    const Outcome second = files().AddEntry(
        { " Bank", "id", "second", "" }, PasswordFiles::SameName::Allowed, &secondRecord);
    ASSERT_TRUE(second.succeeded) << second.reason.toStdString();
    EXPECT_EQ(secondRecord, 2);
    EXPECT_EQ(files().LoadIndex(), QStringList({ item(" Bank", 2), item("Bank", 1) }));
    EXPECT_EQ(files().loadEntry(item("Bank", 1))->password, "first");
    EXPECT_EQ(files().loadEntry(item(" Bank", 2))->password, "second");

    // The other rules still hold on that path.
    for (const QString& name : { QString(), QStringLiteral("a\"b"), QString(101, u'n') })
        EXPECT_FALSE(
            files().AddEntry({ name, "", "", "" }, PasswordFiles::SameName::Allowed).succeeded);
}

TEST_F(PasswordFilesTest, BothFilesAreCreatedAndKeptReadableByTheirOwnerOnly)
{
    const auto permissions = [this](const char* name) {
        // Owner, group and others; the "user" bits repeat the owner's for us.
        return QFile::permissions(m_folder.filePath(name)) & QFileDevice::Permissions(0x7077);
    };
    const QFileDevice::Permissions ownerOnly = QFile::ReadOwner | QFile::WriteOwner;

    add("alpha");
    EXPECT_EQ(permissions("Secfile1.Fil"), ownerOnly);
    EXPECT_EQ(permissions("Secfile2.fil"), ownerOnly);

    // Files copied in with wider permissions are narrowed by the next write.
    for (const char* name : { "Secfile1.Fil", "Secfile2.fil" })
        QFile::setPermissions(
            m_folder.filePath(name), ownerOnly | QFile::ReadGroup | QFile::ReadOther);
    ASSERT_TRUE(files().ReplaceEntry(1, { "alpha", "id", "new", "" }).succeeded);
    EXPECT_EQ(permissions("Secfile2.fil"), ownerOnly);
    ASSERT_TRUE(files().DeleteEntry(item("alpha", 1)).succeeded);
    EXPECT_EQ(permissions("Secfile1.Fil"), ownerOnly);
    EXPECT_EQ(permissions("Secfile2.fil"), ownerOnly);
}

TEST_F(PasswordFilesTest, ReadingCreatesNoFile)
{
    EXPECT_EQ(files().FindFreeRecord(), 1);
    EXPECT_EQ(files().loadEntry(item("x", 3)), PasswordEntry({ "x", "", "", "" }));
    EXPECT_TRUE(files().LoadIndex().isEmpty());
    EXPECT_FALSE(m_folder.exists("Secfile1.Fil"));
    EXPECT_FALSE(m_folder.exists("Secfile2.fil"));
}

TEST_F(PasswordFilesTest, AReplaceThatCannotBeWrittenLeavesTheRecordAsItWas)
{
    add("alpha");
    const QByteArray entriesBefore = entries();

    ReadOnlyFolder readOnly(m_folder.path());
    if (!readOnly.isEffective())
        GTEST_SKIP() << "cannot make a folder read-only here";
    const Outcome replaced = files().ReplaceEntry(1, { "alpha", "new", "new", "" });

    EXPECT_FALSE(replaced.succeeded);
    EXPECT_TRUE(replaced.reason.startsWith("The Password File could not be saved: "))
        << replaced.reason.toStdString();
    EXPECT_EQ(entries(), entriesBefore);
}
