#include "passwords/PasswordVault.h"

#include <QtEndian>

#include <gtest/gtest.h>

namespace {

VaultContents contents(const QByteArray& index, const QByteArray& entries)
{
    return { SecretBytes::copyOf(index), SecretBytes::copyOf(entries) };
}

PasswordVault::Key key(const QByteArray& password = "correct horse")
{
    return *PasswordVault::makeKey(password, VaultParameters::fastest());
}

using Problem = PasswordVault::Problem;

TEST(PasswordVault, ContentsComeBackByteForByte)
{
    struct Case {
        const char* what;
        QByteArray index;
        QByteArray entries;
    };
    const QByteArray manyEntries = QByteArray(335, 'x').repeated(10000);
    const Case cases[] = {
        { "an empty keeper", {}, {} },
        { "one entry", "\"www.bank.example    1\"\r\n", QByteArray(335, '\x07') },
        { "10,000 entries", QByteArray("\"n\"\r\n").repeated(10000), manyEntries },
        { "zero bytes inside", QByteArray("a\0b", 3), QByteArray(10, '\0') },
    };
    const PasswordVault::Key sealing = key();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QByteArray file = PasswordVault::seal(contents(c.index, c.entries), sealing);
        const PasswordVault::Opened opened = PasswordVault::open(file, "correct horse");
        ASSERT_EQ(opened.problem, Problem::None) << opened.detail.toStdString();
        EXPECT_EQ(opened.contents->index.view(), c.index);
        EXPECT_EQ(opened.contents->entries.view(), c.entries);
        EXPECT_FALSE(file.contains("www.bank.example"));
    }
}

TEST(PasswordVault, EachSealTakesANewNonceAndTheKeyReopensWithoutStretching)
{
    const PasswordVault::Key sealing = key();
    const QByteArray first = PasswordVault::seal(contents("i", "e"), sealing);
    const QByteArray second = PasswordVault::seal(contents("i", "e"), sealing);
    EXPECT_NE(first, second);
    const PasswordVault::Opened opened = PasswordVault::open(second, sealing);
    ASSERT_TRUE(opened.contents);
    EXPECT_EQ(opened.contents->entries.view(), "e");
}

TEST(PasswordVault, AWrongPasswordIsToldApartFromDamage)
{
    const QByteArray file = PasswordVault::seal(contents("index", "entries"), key());
    EXPECT_EQ(PasswordVault::open(file, "Correct horse").problem, Problem::WrongPassword);
    EXPECT_EQ(PasswordVault::open(file, "").problem, Problem::WrongPassword);
    EXPECT_EQ(PasswordVault::inspect(file).problem, Problem::None);
}

TEST(PasswordVault, EveryTruncationAndEveryFlippedByteIsRefused)
{
    const QByteArray file = PasswordVault::seal(contents("\"a 1\"\r\n", "secret"), key());
    for (qsizetype length = 0; length < file.size(); ++length) {
        const Problem problem = PasswordVault::open(file.left(length), "correct horse").problem;
        EXPECT_TRUE(problem == Problem::NotAVault || problem == Problem::Damaged)
            << "cut to " << length;
    }
    for (qsizetype at = 0; at < file.size(); ++at) {
        QByteArray flipped = file;
        flipped[at] = char(flipped[at] ^ 0x01);
        const PasswordVault::Opened opened = PasswordVault::open(flipped, "correct horse");
        EXPECT_FALSE(opened.contents) << "byte " << at;
        // The version field may read as a newer format; anything else is
        // damage, never a wrong password.
        EXPECT_NE(opened.problem, Problem::WrongPassword) << "byte " << at;
        EXPECT_NE(opened.problem, Problem::None) << "byte " << at;
    }
}

TEST(PasswordVault, ANewerFormatIsNamedAsSuch)
{
    QByteArray file = PasswordVault::seal(contents("i", "e"), key());
    qToLittleEndian<quint16>(PasswordVault::FormatVersion + 1, file.data() + 8);
    EXPECT_EQ(PasswordVault::open(file, "correct horse").problem, Problem::NewerVersion);
    EXPECT_EQ(PasswordVault::inspect(file).problem, Problem::NewerVersion);
    EXPECT_EQ(PasswordVault::inspect("not a vault at all").problem, Problem::NotAVault);
}

TEST(PasswordVault, TheHeaderCarriesTheStretchingFigures)
{
    const PasswordVault::Key sealing = *PasswordVault::makeKey("pw", { 2, 16384 });
    const PasswordVault::Inspection inspection
        = PasswordVault::inspect(PasswordVault::seal(contents("", ""), sealing));
    EXPECT_EQ(inspection.version, PasswordVault::FormatVersion);
    EXPECT_EQ(inspection.parameters, (VaultParameters { 2, 16384 }));
}

} // namespace
