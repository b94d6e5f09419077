#include "passwords/KeeperProtection.h"

#include "TemporaryProgramFolder.h"

#include "passwords/PasswordFiles.h"

#include <QFile>
#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace {

using Step = KeeperProtection::Step;

class KeeperProtectionTest : public testing::Test
{
protected:
    KeeperProtection protection()
    {
        return KeeperProtection(m_folder.folder(), VaultParameters::fastest());
    }

    void addEntries(PasswordFiles files, int count)
    {
        for (int i = 1; i <= count; ++i)
            ASSERT_TRUE(files.AddEntry({ QStringLiteral("site%1").arg(i), "id", "pw", "note" }));
    }

    QByteArray index() const { return m_folder.read("Secfile1.Fil"); }
    QByteArray entries() const { return m_folder.read("Secfile2.fil"); }
    bool classicPresent() const
    {
        return m_folder.exists("Secfile1.Fil") || m_folder.exists("Secfile2.fil");
    }
    bool vaultPresent() const { return m_folder.exists("Secvault.vlt"); }

    TemporaryProgramFolder m_folder;
    QRandomGenerator m_random { 5 };
};

TEST_F(KeeperProtectionTest, ProtectingAndRemovingItGiveBackTheExactFiles)
{
    addEntries(PasswordFiles(m_folder.folder(), &m_random), 3);
    const QByteArray indexBefore = index();
    const QByteArray entriesBefore = entries();

    ASSERT_TRUE(protection().protect("master").succeeded);
    EXPECT_TRUE(vaultPresent());
    EXPECT_FALSE(classicPresent());
    EXPECT_TRUE(KeeperProtection::isProtected(m_folder.folder()));
    EXPECT_EQ(QFile(m_folder.filePath("Secvault.vlt")).permissions() & 0x0077, 0);
    EXPECT_FALSE(m_folder.read("Secvault.vlt").contains("site1"));

    const Outcome wrong = protection().unprotect("Master");
    EXPECT_FALSE(wrong.succeeded);
    EXPECT_TRUE(wrong.message().contains("master password")) << wrong.message().toStdString();
    EXPECT_TRUE(vaultPresent());
    EXPECT_FALSE(classicPresent());

    ASSERT_TRUE(protection().unprotect("master").succeeded);
    EXPECT_FALSE(vaultPresent());
    EXPECT_EQ(index(), indexBefore);
    EXPECT_EQ(entries(), entriesBefore);
}

TEST_F(KeeperProtectionTest, AnEmptyKeeperStaysWithoutFilesThroughARoundTrip)
{
    EXPECT_TRUE(KeeperProtection::isEmptyKeeper(m_folder.folder()));
    ASSERT_TRUE(protection().protect("master").succeeded);
    EXPECT_FALSE(KeeperProtection::isEmptyKeeper(m_folder.folder()));
    ASSERT_TRUE(protection().unprotect("master").succeeded);
    EXPECT_FALSE(classicPresent());
    EXPECT_FALSE(vaultPresent());
}

TEST_F(KeeperProtectionTest, TheUnlockedKeeperReadsAndWritesInsideTheVault)
{
    addEntries(PasswordFiles(m_folder.folder(), &m_random), 2);
    ASSERT_TRUE(protection().protect("master").succeeded);

    KeeperProtection::Unlocked unlocked = protection().unlock("master");
    ASSERT_TRUE(unlocked.storage);
    PasswordFiles inside(m_folder.folder(), unlocked.storage, &m_random);
    EXPECT_EQ(inside.LoadIndex().size(), 2);
    ASSERT_TRUE(inside.AddEntry({ "third", "id", "secret3", "" }));
    EXPECT_FALSE(classicPresent());
    EXPECT_FALSE(m_folder.read("Secvault.vlt").contains("third"));

    KeeperProtection::Unlocked again = protection().unlock("master");
    ASSERT_TRUE(again.storage);
    PasswordFiles reopened(m_folder.folder(), again.storage);
    ASSERT_EQ(reopened.LoadIndex().size(), 3);
    const std::optional<PasswordEntry> third = reopened.loadEntry(reopened.LoadIndex().last());
    ASSERT_TRUE(third);
    EXPECT_EQ(third->password, "secret3");

    EXPECT_EQ(protection().unlock("wrong").problem, PasswordVault::Problem::WrongPassword);
}

TEST_F(KeeperProtectionTest, ChangingTheMasterPasswordKeepsTheContents)
{
    addEntries(PasswordFiles(m_folder.folder(), &m_random), 2);
    const QByteArray entriesBefore = entries();
    ASSERT_TRUE(protection().protect("old").succeeded);
    EXPECT_FALSE(protection().changeMasterPassword("wrong", "new").succeeded);
    ASSERT_TRUE(protection().changeMasterPassword("old", "new").succeeded);
    EXPECT_EQ(protection().unlock("old").problem, PasswordVault::Problem::WrongPassword);
    ASSERT_TRUE(protection().unprotect("new").succeeded);
    EXPECT_EQ(entries(), entriesBefore);
}

TEST_F(KeeperProtectionTest, ADamagedVaultIsNeverOverwritten)
{
    addEntries(PasswordFiles(m_folder.folder(), &m_random), 1);
    ASSERT_TRUE(protection().protect("master").succeeded);
    QByteArray damaged = m_folder.read("Secvault.vlt");
    damaged[damaged.size() / 2] = char(damaged[damaged.size() / 2] ^ 0x40);
    m_folder.write("Secvault.vlt", damaged);

    for (const Outcome& outcome : { protection().unprotect("master"),
             protection().changeMasterPassword("master", "new"), protection().protect("x") }) {
        EXPECT_FALSE(outcome.succeeded);
        EXPECT_EQ(m_folder.read("Secvault.vlt"), damaged);
    }
    EXPECT_EQ(protection().unlock("master").problem, PasswordVault::Problem::Damaged);
    EXPECT_FALSE(classicPresent());
}

// A crash after any step of protecting leaves the classic pair or the vault,
// and unlocking afterwards finds every entry with no unprotected copy left.
TEST_F(KeeperProtectionTest, AProtectCutShortAfterAnyStepLosesNothing)
{
    for (Step step :
        { Step::VaultWritten, Step::VaultVerified, Step::IndexRemoved, Step::EntriesRemoved }) {
        SCOPED_TRACE(int(step));
        TemporaryProgramFolder folder;
        addEntries(PasswordFiles(folder.folder(), &m_random), 3);
        const QByteArray indexBefore = folder.read("Secfile1.Fil");
        KeeperProtection cut(folder.folder(), VaultParameters::fastest());
        cut.stopAfter(step);
        std::ignore = cut.protect("master");

        ASSERT_TRUE(KeeperProtection::isProtected(folder.folder()));
        KeeperProtection reopened(folder.folder(), VaultParameters::fastest());
        const KeeperProtection::Unlocked unlocked = reopened.unlock("master");
        ASSERT_TRUE(unlocked.storage);
        EXPECT_TRUE(unlocked.strayFiles.isEmpty());
        EXPECT_EQ(PasswordFiles(folder.folder(), unlocked.storage).LoadIndex().size(), 3);
        EXPECT_FALSE(folder.exists("Secfile1.Fil"));
        EXPECT_FALSE(folder.exists("Secfile2.fil"));
        ASSERT_TRUE(reopened.unprotect("master").succeeded);
        EXPECT_EQ(folder.read("Secfile1.Fil"), indexBefore);
    }
}

TEST_F(KeeperProtectionTest, ARemovalCutShortAfterAnyStepLosesNothing)
{
    for (Step step :
        { Step::IndexWritten, Step::EntriesWritten, Step::ClassicVerified, Step::VaultRemoved }) {
        SCOPED_TRACE(int(step));
        TemporaryProgramFolder folder;
        addEntries(PasswordFiles(folder.folder(), &m_random), 3);
        const QByteArray entriesBefore = folder.read("Secfile2.fil");
        KeeperProtection protection(folder.folder(), VaultParameters::fastest());
        ASSERT_TRUE(protection.protect("master").succeeded);
        protection.stopAfter(step);
        std::ignore = protection.unprotect("master");
        protection.stopAfter(std::nullopt);

        if (KeeperProtection::isProtected(folder.folder())) {
            // The old state: still protected, the vault whole.
            const KeeperProtection::Unlocked unlocked = protection.unlock("master");
            ASSERT_TRUE(unlocked.storage);
            EXPECT_EQ(PasswordFiles(folder.folder(), unlocked.storage).LoadIndex().size(), 3);
            ASSERT_TRUE(protection.unprotect("master").succeeded);
        }
        EXPECT_EQ(folder.read("Secfile2.fil"), entriesBefore);
        EXPECT_EQ(PasswordFiles(folder.folder()).LoadIndex().size(), 3);
    }
}

TEST_F(KeeperProtectionTest, AClassicFileThatDiffersFromTheVaultIsLeftForTheUser)
{
    addEntries(PasswordFiles(m_folder.folder(), &m_random), 1);
    ASSERT_TRUE(protection().protect("master").succeeded);
    m_folder.write("Secfile1.Fil", "\"someone else's 1\"\r\n");
    const KeeperProtection::Unlocked unlocked = protection().unlock("master");
    ASSERT_TRUE(unlocked.storage);
    EXPECT_EQ(unlocked.strayFiles, QStringList { "Secfile1.Fil" });
    EXPECT_TRUE(m_folder.exists("Secfile1.Fil"));
}

} // namespace
