#include "ModalWindow.h"
#include "ScriptedScreenServices.h"

#include "passwords/KeeperProtection.h"
#include "passwords/PasswordFiles.h"
#include "passwords/ui/MasterPasswordDialog.h"
#include "passwords/ui/PasswordKeeper.h"
#include "screens/GuardedComboBox.h"
#include "storage/ProgramSettings.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTest>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>

namespace {

using Answer = MessageService::Answer;
using namespace std::chrono_literals;

class PasswordKeeperLockTest : public testing::Test, protected ScriptedScreenServices
{
protected:
    std::unique_ptr<PasswordKeeper> screen;
    QRandomGenerator random { 9 };

    void SetUp() override
    {
        PasswordFiles files(folder.folder(), &random);
        for (const char* name : { "alpha", "beta", "gamma" })
            ASSERT_TRUE(files.AddEntry({ name, "id", QStringLiteral("%1-pw").arg(name), "" }));
    }

    void protectFolder(const QByteArray& password = "master")
    {
        ASSERT_TRUE(
            KeeperProtection(folder.folder(), VaultParameters::fastest()).protect(password));
    }

    void open()
    {
        screen = std::make_unique<PasswordKeeper>(services);
        screen->setVaultParameters(VaultParameters::fastest());
        screen->show();
        screen->activateWindow();
        QCoreApplication::processEvents();
    }

    template <typename W = QWidget> W* find(const QString& name) const
    {
        W* widget = screen->findChild<W*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    QLineEdit* box(int index) const
    {
        return find<QLineEdit>(QStringLiteral("Text1_%1").arg(index));
    }
    QWidget* unlockPanel() const { return find(QStringLiteral("UnlockPanel")); }
    QWidget* entryPanel() const { return find(QStringLiteral("Panel3D1")); }
    QStringList listedNames() const
    {
        QStringList names;
        auto* list = find<GuardedComboBox>(QStringLiteral("Combo1"));
        for (int i = 0; i < list->count(); ++i)
            names.append(list->itemText(i));
        return names;
    }

    void typeMasterPassword(const QString& password)
    {
        auto* passwordBox = find<QLineEdit>(QStringLiteral("MasterPasswordBox"));
        passwordBox->setText(password);
        QTest::keyClick(passwordBox, Qt::Key_Return);
    }

    void expectLocked() const
    {
        EXPECT_TRUE(screen->isLocked());
        EXPECT_TRUE(unlockPanel()->isVisible());
        EXPECT_FALSE(entryPanel()->isVisible());
        EXPECT_TRUE(listedNames().isEmpty());
        for (int i = 0; i < 3; ++i)
            EXPECT_TRUE(box(i)->text().isEmpty()) << i;
    }

    // Fills the master password dialog the command opens and presses OK.
    void answerMasterPasswords(QByteArray current, QByteArray next)
    {
        whenModalOpens<MasterPasswordDialog>(
            "MasterPasswordDialog", [current, next](MasterPasswordDialog* dialog) {
                ASSERT_NE(dialog, nullptr);
                for (const auto& [name, text] : { std::pair { "CurrentMasterPassword", current },
                         { "NewMasterPassword", next }, { "RepeatMasterPassword", next } }) {
                    if (auto* box = dialog->findChild<QLineEdit*>(QLatin1String(name)))
                        box->setText(QString::fromUtf8(text));
                }
                dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
            });
    }

    void choose(const QString& name)
    {
        auto* list = find<GuardedComboBox>(QStringLiteral("Combo1"));
        const int index = list->findText(name, Qt::MatchStartsWith);
        ASSERT_GE(index, 0);
        list->setCurrentIndex(index);
        emit list->activated(index);
    }

    bool classicFiles() const
    {
        return folder.exists("Secfile1.Fil") || folder.exists("Secfile2.fil");
    }
};

TEST_F(PasswordKeeperLockTest, AProtectedKeeperOpensLockedAndUnlocksWithItsPassword)
{
    protectFolder();
    open();
    expectLocked();
    EXPECT_FALSE(find<QAction>("mOS")->isEnabled());
    EXPECT_FALSE(find<QAction>("mUB")->isEnabled());
    EXPECT_TRUE(find<QAction>("mOE")->isEnabled());

    typeMasterPassword("wrong");
    expectLocked();
    EXPECT_TRUE(find<QLabel>(QStringLiteral("UnlockProblem"))->text().contains("not right"));
    // A wrong try waits before the next.
    EXPECT_FALSE(find<QPushButton>(QStringLiteral("UnlockButton"))->isEnabled());
    typeMasterPassword("master");
    EXPECT_TRUE(screen->isLocked());
    clock.advance(1s);
    EXPECT_TRUE(find<QPushButton>(QStringLiteral("UnlockButton"))->isEnabled());

    typeMasterPassword("master");
    EXPECT_FALSE(screen->isLocked());
    EXPECT_TRUE(find<QPushButton>(QStringLiteral("Command5"))->isEnabled());
    EXPECT_TRUE(entryPanel()->isVisible());
    EXPECT_FALSE(unlockPanel()->isVisible());
    EXPECT_EQ(listedNames().size(), 3);
    choose("beta");
    EXPECT_EQ(box(2)->text(), "beta-pw");
}

TEST_F(PasswordKeeperLockTest, IdleTimeAndTheSessionLockLockItWithTypedWorkKept)
{
    protectFolder();
    open();
    typeMasterPassword("master");
    choose("alpha");
    box(1)->setText("changed id");
    QTest::keyClick(box(1), Qt::Key_D);
    ASSERT_EQ(screen->EntryModified(), PasswordKeeper::Modified);
    const QString typed = box(1)->text();

    clock.advance(4min);
    EXPECT_FALSE(screen->isLocked());
    clock.advance(1min + 1s);
    expectLocked();

    typeMasterPassword("master");
    EXPECT_EQ(box(0)->text(), "alpha");
    EXPECT_EQ(box(1)->text(), typed);
    EXPECT_EQ(screen->EntryModified(), PasswordKeeper::Modified);

    sessionLock.lockSession();
    expectLocked();
    typeMasterPassword("master");
    EXPECT_EQ(box(1)->text(), typed);
}

TEST_F(PasswordKeeperLockTest, ProtectingFromTheMenuEncryptsAndSavesGoIntoTheVault)
{
    open();
    answerMasterPasswords({}, "secret words");
    find<QAction>("mOProtect")->trigger();
    EXPECT_TRUE(KeeperProtection::isProtected(folder.folder()));
    EXPECT_FALSE(classicFiles());
    EXPECT_FALSE(screen->isLocked());
    EXPECT_EQ(listedNames().size(), 3);

    box(0)->setText("delta");
    QTest::keyClick(box(0), Qt::Key_A);
    ASSERT_TRUE(screen->save());
    EXPECT_FALSE(classicFiles());

    // The new master password seals what is saved after a change.
    answerMasterPasswords("secret words", "other words");
    find<QAction>("mOChangeMaster")->trigger();
    box(0)->setText("epsilon");
    QTest::keyClick(box(0), Qt::Key_A);
    ASSERT_TRUE(screen->save());

    const KeeperProtection::Unlocked unlocked
        = KeeperProtection(folder.folder()).unlock("other words");
    ASSERT_TRUE(unlocked.storage);
    EXPECT_EQ(PasswordFiles(folder.folder(), unlocked.storage).LoadIndex().size(), 5);

    answerMasterPasswords("other words", {});
    messages.queueAnswer(Answer::Yes);
    find<QAction>("mORemoveProtection")->trigger();
    EXPECT_FALSE(KeeperProtection::isProtected(folder.folder()));
    EXPECT_EQ(PasswordFiles(folder.folder()).LoadIndex().size(), 5);
}

TEST_F(PasswordKeeperLockTest, AnEmptyKeeperAsksNothingWhenItOpens)
{
    QFile::remove(folder.filePath("Secfile1.Fil"));
    QFile::remove(folder.filePath("Secfile2.fil"));
    for (int opening = 1; opening <= 2; ++opening) {
        open();
        QCoreApplication::processEvents();
        EXPECT_TRUE(messages.messages().isEmpty());
        // Protection waits in the Options menu.
        EXPECT_TRUE(find<QAction>("mOProtect")->isEnabled());
        screen.reset();
    }
    EXPECT_FALSE(QFile::exists(folder.filePath("Halvorn.ini")));
}

} // namespace
