#include "passwords/KeeperText.h"

#include "TemporaryProgramFolder.h"

#include "passwords/IndexItem.h"
#include "passwords/KeeperConversion.h"
#include "passwords/KeeperProtection.h"
#include "passwords/PasswordFiles.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace {

using Form = KeeperText::Form;

// The two files of a keeper held in memory in the Unicode form, as an
// unlocked vault holds them, without a vault behind them.
class UnicodeContents : public PasswordStorage
{
public:
    explicit UnicodeContents(VaultContents contents)
        : m_contents(std::move(contents))
    { }
    bool exists(Part part) const override { return !bytesOf(part).isEmpty(); }
    std::optional<QByteArray> read(Part part, QString&) const override
    {
        return QByteArray(bytesOf(part).view());
    }
    std::optional<PasswordRecord> readRecord(int recordNumber) const override
    {
        return PasswordRecord::fromEntries(m_contents.entries.view(), recordNumber, Form::Unicode);
    }
    Outcome write(Part part, const QByteArray& bytes) override
    {
        (part == Part::Index ? m_contents.index : m_contents.entries) = SecretBytes::copyOf(bytes);
        return Outcome::success();
    }
    Outcome writeBoth(const QByteArray& index, const QByteArray& entries) override
    {
        m_contents.index = SecretBytes::copyOf(index);
        m_contents.entries = SecretBytes::copyOf(entries);
        return Outcome::success();
    }
    KeeperText::Form textForm() const override { return Form::Unicode; }

private:
    const SecretBytes& bytesOf(Part part) const
    {
        return part == Part::Index ? m_contents.index : m_contents.entries;
    }
    VaultContents m_contents;
};

QList<PasswordEntry> entriesOf(const PasswordFiles& files)
{
    QList<PasswordEntry> entries;
    for (const QString& item : files.LoadIndex())
        entries.append(files.loadEntry(item).value_or(PasswordEntry { "unreadable", {}, {}, {} }));
    return entries;
}

TEST(KeeperText, EachFormNamesTheFirstCharacterItCannotHold)
{
    const QString loneSurrogate = QStringLiteral("a") + QChar(0xD83D) + QStringLiteral("b");
    const struct {
        const char* what;
        QString text;
        std::optional<char32_t> classic;
        std::optional<char32_t> unicode;
    } cases[] = {
        { "Windows-1252 letters and the euro sign", QStringLiteral("Caf\u00e9 \u20ac \u00f9"), {},
            {} },
        { "Greek", QStringLiteral("\u0395\u03bb\u03bb\u03ac\u03b4\u03b1"), U'\u0395', {} },
        { "Cyrillic after Latin", QStringLiteral("Jo \u0416"), U'\u0416', {} },
        { "Chinese", QStringLiteral("\u65e5\u672c"), U'\u65e5', {} },
        { "an emoji outside the Basic Multilingual Plane", QStringLiteral("ok \U0001F600"),
            U'\U0001F600', {} },
        { "a lone surrogate", loneSurrogate, char32_t(0xD83D), char32_t(0xD83D) },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(KeeperText::firstUnheld(c.text, Form::Classic), c.classic);
        EXPECT_EQ(KeeperText::firstUnheld(c.text, Form::Unicode), c.unicode);
    }
    EXPECT_EQ(KeeperText::nameOf(U'\u0416'), QStringLiteral("\"\u0416\" (U+0416)"));
    EXPECT_EQ(KeeperText::nameOf(U'\U0001F600'), QStringLiteral("\"\U0001F600\" (U+1F600)"));
    EXPECT_EQ(KeeperText::nameOf(U'\u0019'), QStringLiteral("U+0019"));
    EXPECT_EQ(KeeperText::length(QStringLiteral("a\U0001F600\u65e5")), 3);
}

// Every box at its full length, counted in characters, in each of the
// scripts a person may type; the classic keeper refuses the same entry with
// the character named, and its files stay as they were.
TEST(KeeperText, AProtectedKeeperHoldsAnyTextAtTheBoxesFullLengths)
{
    TemporaryProgramFolder folder;
    QRandomGenerator random(3);
    PasswordFiles classic(folder.folder(), &random);
    ASSERT_TRUE(classic.AddEntry({ "plain.example", "me", "pw", "" }));
    const QByteArray indexBefore = folder.read("Secfile1.Fil");
    const QByteArray entriesBefore = folder.read("Secfile2.fil");

    const QString emoji = QStringLiteral("\U0001F600");
    const PasswordEntry full { emoji.repeated(100), QStringLiteral("\u65e5").repeated(50),
        emoji.repeated(50), QStringLiteral("\u0416").repeated(200) };
    const PasswordEntry mixed { QStringLiteral("\u0395\u03bb\u03bb\u03ac\u03b4\u03b1 bank"),
        QStringLiteral("\u0438\u0432\u0430\u043d@example.com"),
        QStringLiteral("\u5bc6\u7801 \U0001F511 caf\u00e9"), QStringLiteral("line one\nline two") };

    const Outcome refused = classic.AddEntry(mixed);
    EXPECT_FALSE(refused.succeeded);
    EXPECT_TRUE(refused.message().contains(QStringLiteral("\"\u0395\" (U+0395)")))
        << refused.message().toStdString();
    EXPECT_TRUE(refused.message().contains("Protect with a Master Password"));
    EXPECT_FALSE(classic.AddEntry(full).succeeded);
    EXPECT_EQ(folder.read("Secfile1.Fil"), indexBefore);
    EXPECT_EQ(folder.read("Secfile2.fil"), entriesBefore);

    KeeperProtection protection(folder.folder(), VaultParameters::fastest());
    ASSERT_TRUE(protection.protect("master").succeeded);
    {
        PasswordFiles inside(folder.folder(), protection.unlock("master").storage, &random);
        ASSERT_TRUE(inside.AddEntry(full));
        ASSERT_TRUE(inside.AddEntry(mixed));
        const struct {
            const char* box;
            PasswordEntry entry;
            const char* refusal;
        } tooLong[] = {
            { "name", { full.name + "x", "", "p", "" }, "The name can be at most 100" },
            { "sign-on", { "n", full.signOn + emoji, "p", "" },
                "The Sign On ID can be at most 50" },
            { "password", { "n", "", full.password + emoji, "" },
                "The Password can be at most 50" },
            { "comment", { "n", "", "p", full.comment + emoji }, "The Comment can be at most 200" },
        };
        for (const auto& c : tooLong) {
            SCOPED_TRACE(c.box);
            const Outcome outcome = inside.AddEntry(c.entry);
            EXPECT_TRUE(outcome.message().startsWith(c.refusal)) << outcome.message().toStdString();
        }
    }
    const QByteArray vault = folder.read("Secvault.vlt");
    EXPECT_FALSE(vault.contains(QStringLiteral("\u0416").toUtf8()));
    EXPECT_FALSE(vault.contains("bank"));

    PasswordFiles reopened(folder.folder(), protection.unlock("master").storage);
    const QList<PasswordEntry> stored = entriesOf(reopened);
    ASSERT_EQ(stored.size(), 3);
    EXPECT_TRUE(stored.contains(full));
    EXPECT_TRUE(stored.contains(mixed));
    // A name of 100 emoji (200 UTF-16 units) is found by its whole name.
    EXPECT_GE(PasswordFiles::findByName(reopened.LoadIndex(), full.name), 0);
}

// A classic keeper taken into the Unicode form and back is the same bytes,
// whatever odd records it holds, so that a classic copy left beside a vault
// is recognised as the vault's own.
TEST(KeeperConversion, AClassicKeeperComesBackByteForByte)
{
    TemporaryProgramFolder folder;
    QRandomGenerator random(11);
    PasswordFiles classic(folder.folder(), &random);
    const QList<PasswordEntry> added = {
        { "caf\u00e9.example", "J\u00fcrgen", "p\u20acss", "ends with \u00f9" },
        { "deleted.example", "x", "y", "z" },
        { "blank.example", "", "", "" },
        { " leading blank", "\u00f9\u00f9", "  inner  ", QString(200, u'\u00ff') },
    };
    for (const PasswordEntry& entry : added)
        ASSERT_TRUE(classic.AddEntry(entry));
    ASSERT_TRUE(classic.DeleteEntry(
        classic.LoadIndex().at(PasswordFiles::findByName(classic.LoadIndex(), "deleted.example"))));
    // A record never written in the middle, and a last one cut short.
    QByteArray entries = folder.read("Secfile2.fil");
    entries.insert(335, QByteArray(335, '\0'));
    entries.append(QByteArray("\x50\x51\x52", 3));
    const QByteArray index = folder.read("Secfile1.Fil");

    const VaultContents unicode
        = KeeperConversion::toUnicode({ SecretBytes::copyOf(index), SecretBytes::copyOf(entries) });
    const KeeperConversion::Classic back = KeeperConversion::toClassic(unicode);
    ASSERT_TRUE(back.contents);
    EXPECT_EQ(back.contents->index.view(), index);
    // The record cut short comes back whole, as the keeper reads it.
    EXPECT_EQ(back.contents->entries.view(),
        entries.left(entries.size() - 3) + "\x50\x51\x52" + QByteArray(332, '\0'));

    // Read through the keeper, the Unicode form holds the same entries.
    folder.write("Secfile2.fil", entries);
    const PasswordFiles converted(folder.folder(),
        std::make_shared<UnicodeContents>(VaultContents { SecretBytes::copyOf(unicode.index.view()),
            SecretBytes::copyOf(unicode.entries.view()) }));
    EXPECT_EQ(entriesOf(converted), entriesOf(PasswordFiles(folder.folder())));
    EXPECT_EQ(converted.LoadIndex(), PasswordFiles(folder.folder()).LoadIndex());
}

TEST(KeeperConversion, TheClassicFormNamesTheEntriesItCannotHold)
{
    auto storage = std::make_shared<UnicodeContents>(VaultContents {});
    PasswordFiles files(ProgramFolder(QString()), storage);
    ASSERT_TRUE(files.AddEntry({ "plain", "me", "pw", "" }));
    ASSERT_TRUE(files.AddEntry({ "\u65e5\u672c", "me", "pw", "" }));
    ASSERT_TRUE(files.AddEntry({ "greek sign-on", "\u03b1", "pw", "" }));
    ASSERT_TRUE(files.AddEntry({ "emoji comment", "", "pw", "\U0001F600" }));
    QString error;
    const VaultContents contents { SecretBytes::copyOf(
                                       *storage->read(PasswordStorage::Part::Index, error)),
        SecretBytes::copyOf(*storage->read(PasswordStorage::Part::Entries, error)) };

    const KeeperConversion::Classic classic = KeeperConversion::toClassic(contents);
    EXPECT_FALSE(classic.contents);
    EXPECT_EQ(
        classic.unheldEntries, (QStringList { "emoji comment", "greek sign-on", "\u65e5\u672c" }));
}

} // namespace
