#include "passwords/KeeperProtection.h"

#include "FailingSaves.h"
#include "TemporaryProgramFolder.h"

#include "passwords/CoreDumpGuard.h"
#include "passwords/KeeperLeftovers.h"
#include "passwords/PasswordFiles.h"

#include <QDir>
#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace {

class KeeperProtectionSafetyTest : public testing::Test
{
protected:
    KeeperProtection protection() const
    {
        return KeeperProtection(m_folder.folder(), VaultParameters::fastest());
    }
    QStringList files() const { return QDir(m_folder.path()).entryList(QDir::Files); }

    TemporaryProgramFolder m_folder;
    QRandomGenerator m_random { 17 };
};

// Without protection the keeper holds Windows-1252 alone: removing it from a
// keeper that holds other text is refused, naming the entries, and nothing
// changes until they are changed.
TEST_F(KeeperProtectionSafetyTest, RemovingProtectionFromAKeeperHoldingOtherTextIsRefused)
{
    ASSERT_TRUE(PasswordFiles(m_folder.folder(), &m_random).AddEntry({ "plain", "me", "pw", "" }));
    ASSERT_TRUE(protection().protect("master").succeeded);
    {
        PasswordFiles inside(m_folder.folder(), protection().unlock("master").storage, &m_random);
        ASSERT_TRUE(inside.AddEntry({ "\u0436\u0443\u0440\u043d\u0430\u043b", "me", "pw", "" }));
        ASSERT_TRUE(inside.AddEntry({ "bank", "me", "pw \U0001F511", "" }));
    }
    const QByteArray vault = m_folder.read("Secvault.vlt");

    const Outcome refused = protection().unprotect("master");
    EXPECT_FALSE(refused.succeeded);
    EXPECT_TRUE(
        refused.message().contains(QStringLiteral("bank, \u0436\u0443\u0440\u043d\u0430\u043b")))
        << refused.message().toStdString();
    EXPECT_EQ(files(), QStringList { "Secvault.vlt" });
    EXPECT_EQ(m_folder.read("Secvault.vlt"), vault);

    {
        PasswordFiles inside(m_folder.folder(), protection().unlock("master").storage, &m_random);
        for (const QString& item : inside.LoadIndex()) {
            if (IndexItem(item).name() != "plain") {
                ASSERT_TRUE(inside.DeleteEntry(item));
            }
        }
    }
    ASSERT_TRUE(protection().unprotect("master").succeeded);
    EXPECT_EQ(PasswordFiles(m_folder.folder()).LoadIndex().size(), 1);
}

// A removal that fails part-way leaves the vault as the keeper, and no clear
// list of entry names beside it.
TEST_F(KeeperProtectionSafetyTest, AFailedRemovalLeavesNoClearIndexBesideTheVault)
{
    PasswordFiles classic(m_folder.folder(), &m_random);
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(classic.AddEntry({ QStringLiteral("secret-site-%1").arg(i), "me", "pw", "" }));
    ASSERT_TRUE(protection().protect("master").succeeded);
    const QByteArray vault = m_folder.read("Secvault.vlt");
    {
        // The index (under 400 bytes) is written, the entries are not.
        const FailingSaves diskFull(600);
        EXPECT_FALSE(protection().unprotect("master").succeeded);
    }
    EXPECT_EQ(files(), QStringList { "Secvault.vlt" });
    EXPECT_EQ(m_folder.read("Secvault.vlt"), vault);
    ASSERT_TRUE(protection().unprotect("master").succeeded);
    EXPECT_EQ(PasswordFiles(m_folder.folder()).LoadIndex().size(), 3);
}

TEST_F(KeeperProtectionSafetyTest, NoCoreDumpWhileAKeeperIsOpen)
{
    ASSERT_TRUE(protection().protect("master").succeeded);
    const bool offBefore = CoreDumpGuard::dumpsAreOff();
    {
        KeeperProtection::Unlocked unlocked = protection().unlock("master");
        ASSERT_TRUE(unlocked.storage);
        EXPECT_TRUE(CoreDumpGuard::dumpsAreOff());
        KeeperProtection::Unlocked second = protection().unlock("master");
        unlocked.storage.reset();
        // Still one keeper open.
        EXPECT_TRUE(CoreDumpGuard::dumpsAreOff());
    }
    EXPECT_EQ(CoreDumpGuard::dumpsAreOff(), offBefore);
}

// The new versions a save cut short leaves beside the keeper's files are
// found whatever their letter case, and nothing else is.
TEST_F(KeeperProtectionSafetyTest, LeftoversOfACutSaveAreFoundAndRemoved)
{
    for (const char* name :
        { "Secfile2.fil.a1B2c3", "SECFILE1.FIL.Zz9yY8", "Secvault.vlt.000000", "Secfile2.fil",
            "Secfile2.fil.short", "Secfile2.fil.toolong", "Ann.Fil.a1B2c3", "notes.txt" })
        m_folder.write(name, "x");
    EXPECT_EQ(KeeperLeftovers::find(m_folder.folder()),
        (QStringList { "SECFILE1.FIL.Zz9yY8", "Secfile2.fil.a1B2c3", "Secvault.vlt.000000" }));
    EXPECT_TRUE(KeeperLeftovers::remove(m_folder.folder()).isEmpty());
    EXPECT_EQ(files(),
        (QStringList { "Ann.Fil.a1B2c3", "notes.txt", "Secfile2.fil", "Secfile2.fil.short",
            "Secfile2.fil.toolong" }));
}

} // namespace
