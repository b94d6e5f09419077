#include "passwords/PasswordVault.h"

#include "FailingSaves.h"
#include "TemporaryProgramFolder.h"

#include "passwords/KeeperProtection.h"
#include "passwords/PasswordFiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QtEndian>

#include <gtest/gtest.h>
#include <sodium.h>

namespace {

using Problem = PasswordVault::Problem;

// A vault of the first format, written by halvorn-data 6.0's "passwords
// protect" over a classic keeper of three entries (imported from a browser
// export), with the master password "format one".
const QString FirstFormatVault = QStringLiteral(HALVORN_PASSWORD_FIXTURES "/format1.vlt");
const QByteArray FirstFormatPassword = "format one";

const QList<PasswordEntry> FirstFormatEntries = {
    { "https://caf\u00e9.example", "J\u00fcrgen", "p\u20acss-1", "cafe" },
    { "https://plain.example", "me", "Pw-2", "plain" },
    { "https://two.example", "second", "Pw-3 \u00e0 \u00f9", "two" },
};

QByteArray fixture()
{
    QFile file(FirstFormatVault);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QList<PasswordEntry> entriesOf(const PasswordFiles& files)
{
    QList<PasswordEntry> entries;
    for (const QString& item : files.LoadIndex())
        entries.append(files.loadEntry(item).value_or(PasswordEntry { "unreadable", {}, {}, {} }));
    return entries;
}

TEST(VaultFormat, AVaultOfTheFirstFormatOpensAndIsRewrittenInTheNewOneAtTheNextSave)
{
    const QByteArray old = fixture();
    ASSERT_FALSE(old.isEmpty());
    EXPECT_EQ(PasswordVault::inspect(old).version, 1);
    const PasswordVault::Opened opened = PasswordVault::open(old, FirstFormatPassword);
    ASSERT_EQ(opened.problem, Problem::None) << opened.detail.toStdString();
    EXPECT_EQ(opened.version, 1);
    EXPECT_EQ(PasswordVault::open(old, QByteArray("format two")).problem, Problem::WrongPassword);

    TemporaryProgramFolder folder;
    folder.write("Secvault.vlt", old);
    KeeperProtection protection(folder.folder());
    {
        PasswordFiles files(folder.folder(), protection.unlock(FirstFormatPassword).storage);
        EXPECT_EQ(entriesOf(files), FirstFormatEntries);
        // Opening rewrites nothing.
        EXPECT_EQ(folder.read("Secvault.vlt"), old);
        const PasswordEntry added { "\u0416\u0443\u0440\u043d\u0430\u043b", "\u674e", "\U0001F511",
            "" };

        // The rewrite cut short at any point of writing the file leaves the
        // old vault, which still opens.
        for (const qint64 allowed : { qint64(0), qint64(60), qint64(old.size()), qint64(4000) }) {
            SCOPED_TRACE(allowed);
            const FailingSaves failing(allowed);
            EXPECT_FALSE(files.AddEntry(added).succeeded);
            EXPECT_EQ(folder.read("Secvault.vlt"), old);
            EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList { "Secvault.vlt" });
        }
        ASSERT_TRUE(files.AddEntry(added));
    }
    const QByteArray rewritten = folder.read("Secvault.vlt");
    EXPECT_EQ(PasswordVault::inspect(rewritten).version, PasswordVault::FormatVersion);
    EXPECT_EQ(PasswordVault::inspect(rewritten).parameters, VaultParameters::standard());
    PasswordFiles reopened(folder.folder(), protection.unlock(FirstFormatPassword).storage);
    const QList<PasswordEntry> entries = entriesOf(reopened);
    ASSERT_EQ(entries.size(), 4);
    for (const PasswordEntry& entry : FirstFormatEntries)
        EXPECT_TRUE(entries.contains(entry)) << entry.name.toStdString();

    // Taken back out of protection, the classic files hold the entries again.
    TemporaryProgramFolder classic;
    classic.write("Secvault.vlt", old);
    ASSERT_TRUE(KeeperProtection(classic.folder()).unprotect(FirstFormatPassword).succeeded);
    EXPECT_EQ(entriesOf(PasswordFiles(classic.folder())), FirstFormatEntries);
}

// A vault whose header asks for figures this program never writes is named
// damaged at once: no key is stretched (hours, or gigabytes) to find out.
TEST(VaultFormat, HostileStretchingFiguresAreRefusedBeforeAnyKeyIsStretched)
{
    const PasswordVault::Key key = *PasswordVault::makeKey("pw", VaultParameters::fastest());
    const QByteArray sound
        = PasswordVault::seal({ SecretBytes::copyOf("i"), SecretBytes::copyOf("e") }, key);
    auto withFigures = [&sound](quint64 passes, quint64 memory) {
        QByteArray file = sound;
        qToLittleEndian<quint64>(passes, file.data() + 16);
        qToLittleEndian<quint64>(memory, file.data() + 24);
        // Whoever writes the file can write its checksum too.
        crypto_generichash(reinterpret_cast<unsigned char*>(file.data()) + file.size() - 32, 32,
            reinterpret_cast<const unsigned char*>(file.constData()), std::size_t(file.size() - 32),
            nullptr, 0);
        return file;
    };
    constexpr quint64 MiB = quint64(1) << 20;
    const struct {
        const char* what;
        quint64 passes;
        quint64 memory;
    } hostile[] = {
        { "2^20 passes", quint64(1) << 20, 64 * MiB },
        { "2 GiB of memory", 4, 2048 * MiB },
        { "one pass more than four times the standard", 17, 64 * MiB },
        { "memory above four times the standard", 4, 256 * MiB + 1024 },
        { "one pass with 8 MiB", 1, 8 * MiB },
        { "two passes below 19 MiB", 2, 19 * MiB - 1024 },
        { "four passes below 9 MiB", 4, 9 * MiB - 1024 },
        { "no pass", 0, 64 * MiB },
    };
    for (const auto& c : hostile) {
        SCOPED_TRACE(c.what);
        const QByteArray file = withFigures(c.passes, c.memory);
        QElapsedTimer timer;
        timer.start();
        const PasswordVault::Opened opened = PasswordVault::open(file, "pw");
        EXPECT_LT(timer.elapsed(), 1000);
        EXPECT_EQ(opened.problem, Problem::Damaged);
        EXPECT_TRUE(PasswordVault::message(opened.problem, opened.detail).contains("is damaged"));
        EXPECT_EQ(PasswordVault::inspect(file).problem, Problem::Damaged);
    }
    const struct {
        const char* what;
        quint64 passes;
        quint64 memory;
    } accepted[] = {
        { "the standard", 4, 64 * MiB },
        { "four times the standard", 16, 256 * MiB },
        { "OWASP's one pass", 1, 46 * MiB },
        { "OWASP's two passes", 2, 19 * MiB },
        { "OWASP's five passes", 5, 7 * MiB },
    };
    for (const auto& c : accepted) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(PasswordVault::inspect(withFigures(c.passes, c.memory)).problem, Problem::None);
    }
}

// The key check and the seal no longer share a key: the check's value is not
// the one the stretched key itself gives, and the stretched key does not
// open the seal.
TEST(VaultFormat, TheKeyCheckAndTheSealTakeKeysOfTheirOwn)
{
    const PasswordVault::Key key = *PasswordVault::makeKey("pw", VaultParameters::fastest());
    const QByteArray file = PasswordVault::seal(
        { SecretBytes::copyOf("index"), SecretBytes::copyOf("entries") }, key);
    constexpr qsizetype NonceAt = 32 + 16;
    constexpr qsizetype KeyCheckAt = NonceAt + 24;
    constexpr qsizetype HeaderLength = KeyCheckAt + 32 + 8;

    const QByteArray text = "Halvorn vault key check";
    QByteArray sameKeyCheck(32, '\0');
    crypto_generichash(reinterpret_cast<unsigned char*>(sameKeyCheck.data()), 32,
        reinterpret_cast<const unsigned char*>(text.constData()), std::size_t(text.size()),
        key.bytes.data(), key.bytes.size());
    EXPECT_NE(file.mid(KeyCheckAt, 32), sameKeyCheck);

    const QByteArray sealed = file.mid(HeaderLength, file.size() - HeaderLength - 32);
    QByteArray plain(sealed.size(), '\0');
    unsigned long long plainLength = 0;
    EXPECT_NE(
        crypto_aead_xchacha20poly1305_ietf_decrypt(reinterpret_cast<unsigned char*>(plain.data()),
            &plainLength, nullptr, reinterpret_cast<const unsigned char*>(sealed.constData()),
            std::size_t(sealed.size()), reinterpret_cast<const unsigned char*>(file.constData()),
            HeaderLength, reinterpret_cast<const unsigned char*>(file.constData()) + NonceAt,
            key.bytes.data()),
        0);
    EXPECT_EQ(PasswordVault::open(file, key).contents->entries.view(), "entries");
}

} // namespace
