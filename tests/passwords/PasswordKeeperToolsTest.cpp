#include "KeeperScreenTest.h"
#include "ModalWindow.h"
#include "ScriptedScreenServices.h"

#include "passwords/PasswordFiles.h"
#include "passwords/ui/GeneratorDialog.h"
#include "passwords/ui/PasswordHealthView.h"
#include "passwords/ui/PasswordImportPreview.h"
#include "passwords/ui/PasswordKeeper.h"
#include "screens/GuardedComboBox.h"
#include "storage/ProgramSettings.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <memory>

namespace {

class PasswordKeeperToolsTest : public KeeperScreenTest
{
protected:
    void open() { showKeeper(); }

    template <typename W = QWidget> W* find(const QObject* parent, const QString& name) const
    {
        W* widget = parent ? parent->findChild<W*>(name) : nullptr;
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    QLineEdit* box(int index) const
    {
        return find<QLineEdit>(screen.get(), QStringLiteral("Text1_%1").arg(index));
    }
    QAction* action(const char* name) const { return find<QAction>(screen.get(), name); }

    void store(const QString& name, const QString& password, const QString& signOn = {})
    {
        ASSERT_TRUE(PasswordFiles(folder.folder()).AddEntry({ name, signOn, password, "" }));
    }
    QStringList listedNames() const
    {
        auto* list = find<GuardedComboBox>(screen.get(), "Combo1");
        QStringList names;
        for (int i = 0; i < list->count(); ++i)
            names.append(list->itemText(i));
        return names;
    }
    static QStringList lines(const QTreeWidget* list, int column)
    {
        QStringList texts;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            texts.append(list->topLevelItem(i)->text(column));
        return texts;
    }
};

TEST_F(PasswordKeeperToolsTest, GenerateFillsThePasswordAsTypingWouldAndShowsItsStrength)
{
    open();
    QTest::keyClicks(box(0), "www.bank.example");
    QString generated;
    whenModalOpens<GeneratorDialog>("GeneratorDialog", [&](GeneratorDialog* dialog) {
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->password().size(), 20);
        find<QSpinBox>(dialog, "GeneratorLength")->setValue(12);
        find<QCheckBox>(dialog, "GeneratorSymbols")->setChecked(false);
        find<QCheckBox>(dialog, "GeneratorDigits")->setChecked(false);
        // Letters alone are left: they cannot be switched off too.
        EXPECT_FALSE(find<QCheckBox>(dialog, "GeneratorLetters")->isEnabled());
        generated = dialog->password();
        EXPECT_EQ(generated.size(), 12);
        EXPECT_TRUE(std::all_of(
            generated.cbegin(), generated.cend(), [](QChar c) { return c.isLetter(); }));
        find<QPushButton>(dialog, "GeneratorUse")->click();
    });
    find<QPushButton>(screen.get(), "GenerateButton")->click();

    EXPECT_EQ(box(2)->text(), generated);
    EXPECT_EQ(screen->EntryModified(), PasswordKeeper::Modified);
    EXPECT_TRUE(action("mOS")->isEnabled());
    EXPECT_TRUE(find<QLabel>(screen.get(), "StrengthLine")->text().startsWith("Strength: "));

    // Cancel leaves the box as it was.
    whenModalOpens<GeneratorDialog>("GeneratorDialog", [](GeneratorDialog* dialog) {
        ASSERT_NE(dialog, nullptr);
        dialog->reject();
    });
    find<QPushButton>(screen.get(), "GenerateButton")->click();
    EXPECT_EQ(box(2)->text(), generated);
}

TEST_F(PasswordKeeperToolsTest, TheStrengthLineFollowsThePasswordBox)
{
    open();
    auto* line = find<QLabel>(screen.get(), "StrengthLine");
    EXPECT_EQ(line->text(), "");
    QTest::keyClicks(box(2), "password");
    EXPECT_EQ(
        line->text(), "Strength: very weak. An offline attack would take less than a second.");
    box(2)->clear();
    QTest::keyClicks(box(2), "correct horse battery staple");
    EXPECT_EQ(line->text(), "Strength: very strong. An offline attack would take centuries.");
    box(2)->clear();
    EXPECT_EQ(line->text(), "");
}

TEST_F(PasswordKeeperToolsTest, TheHealthViewListsReasonsAndChoosingALineShowsItsEntry)
{
    store("https://good.example", "k7#Vq9!mZ2@pLx4$");
    store("https://weak.example", "password");
    store("www.plain.example", "J9$kq!2Lm#8xZp");
    open();
    whenModalOpens<PasswordHealthView>("PasswordHealthView", [&](PasswordHealthView* view) {
        ASSERT_NE(view, nullptr);
        auto* list = find<QTreeWidget>(view, "HealthList");
        EXPECT_EQ(lines(list, 0), QStringList({ "https://weak.example", "www.plain.example" }));
        EXPECT_EQ(lines(list, 1),
            QStringList({ "weak password: very weak, guessed offline in less than a second",
                "web address is not https" }));
        EXPECT_EQ(find<QLabel>(view, "HealthSummary")->text(),
            "2 of the 3 Password Files need attention. Choose a line to show its entry.");
        list->setCurrentItem(list->topLevelItem(1));
        EXPECT_EQ(box(0)->text(), "www.plain.example");
        EXPECT_EQ(box(2)->text(), "J9$kq!2Lm#8xZp");
    });
    action("mUHealth")->trigger();
    EXPECT_EQ(screen->EntryModified(), 0);
}

TEST_F(PasswordKeeperToolsTest, ImportPreviewsTheFileAndAddsOnlyWhenNothingIsRefused)
{
    store("https://listed.example", "Pw-2", "jane");
    open();
    const QString longNotes(250, u'n');
    folder.write("export.csv",
        "\"Group\",\"Title\",\"Username\",\"Password\",\"URL\",\"Notes\"\n"
        "\"Root\",\"Bank\",\"jane\",\"Pw-1\",\"https://bank.example\",\"line one\nline two\"\n"
        "\"Root\",\"Listed\",\"jane\",\"Pw-2\",\"https://listed.example\",\"\"\n"
        "\"Root\",\"Long\",\"jane\",\"Pw-3\",\"\",\""
            + longNotes.toUtf8() + "\"\n");
    dialogs.queueFile(folder.filePath("export.csv"));
    whenModalOpens<PasswordImportPreview>(
        "PasswordImportPreview", [&](PasswordImportPreview* preview) {
            ASSERT_NE(preview, nullptr);
            auto* list = find<QTreeWidget>(preview, "ImportList");
            auto* importButton = find<QPushButton>(preview, "ImportAccept");
            EXPECT_EQ(lines(list, 1),
                QStringList({ "https://bank.example", "https://listed.example", "Long" }));
            EXPECT_EQ(lines(list, 3)[1],
                "will be skipped: \"https://listed.example\" is already listed with this sign-on "
                "and password");
            EXPECT_TRUE(lines(list, 3)[2].startsWith("refused: the comment has 250 characters"));
            EXPECT_FALSE(importButton->isEnabled());

            find<QCheckBox>(preview, "ImportCut")->setChecked(true);
            EXPECT_TRUE(lines(list, 3)[2].startsWith("will be added, cut: the comment has 250"));
            EXPECT_EQ(
                find<QLabel>(preview, "ImportSummary")->text(), "2 to add, 1 skipped, 0 refused.");
            ASSERT_TRUE(importButton->isEnabled());
            importButton->click();
        });
    action("mUImport")->trigger();

    EXPECT_EQ(messages.last().text, "2 Password Files were imported.");
    EXPECT_EQ(
        listedNames(), QStringList({ "https://bank.example", "https://listed.example", "Long" }));
}

TEST_F(PasswordKeeperToolsTest, ThePreviewCountsTheRecycleBinAndCanLeaveRefusedEntriesOut)
{
    open();
    folder.write("export.csv",
        "\"Group\",\"Title\",\"Username\",\"Password\",\"URL\",\"Notes\"\n"
        "\"Root\",\"Mail\",\"ann\",\"Pw-1\",\"https://mail.example\",\"\"\n"
        "\"Root\",\"Mail\",\"tom\",\"Pw-2\",\"https://mail.example\",\"\"\n"
        "\"Root\",\"Kanji\",\"\xE6\x97\xA5\",\"Pw-3\",\"\",\"\"\n"
        "\"Root/Recycle Bin\",\"Old\",\"ann\",\"Pw-4\",\"\",\"\"\n"
        "\"Root/Recycle Bin\",\"Older\",\"ann\",\"Pw-5\",\"\",\"\"\n");
    dialogs.queueFile(folder.filePath("export.csv"));
    whenModalOpens<PasswordImportPreview>(
        "PasswordImportPreview", [&](PasswordImportPreview* preview) {
            ASSERT_NE(preview, nullptr);
            auto* list = find<QTreeWidget>(preview, "ImportList");
            auto* summary = find<QLabel>(preview, "ImportSummary");
            auto* leaveOut = find<QCheckBox>(preview, "ImportSkipRefused");
            auto* includeDeleted = find<QCheckBox>(preview, "ImportIncludeDeleted");
            auto* importButton = find<QPushButton>(preview, "ImportAccept");
            EXPECT_EQ(lines(list, 0), QStringList({ "line 2", "line 3", "line 4" }));
            EXPECT_TRUE(lines(list, 3)[2].startsWith(
                "refused: The Sign On ID contains characters that cannot be stored in an "
                "unprotected Password Keeper: \"\u65E5\" (U+65E5)."));
            EXPECT_EQ(summary->text(),
                "2 to add, 0 skipped, 1 refused. 2 entries in the Recycle Bin left out. Nothing "
                "is imported while any entry is refused: correct the file, cut over-long "
                "fields, or leave the refused entries out.");
            EXPECT_FALSE(importButton->isEnabled());
            EXPECT_TRUE(leaveOut->isVisibleTo(preview));
            EXPECT_TRUE(includeDeleted->isVisibleTo(preview));

            includeDeleted->setChecked(true);
            leaveOut->setChecked(true);
            EXPECT_EQ(summary->text(),
                "4 to add, 0 skipped, 1 refused. The refused entries are left out.");
            ASSERT_TRUE(importButton->isEnabled());
            importButton->click();
        });
    action("mUImport")->trigger();

    EXPECT_EQ(messages.last().text, "4 Password Files were imported.");
    EXPECT_EQ(listedNames(),
        QStringList({ "https://mail.example", "https://mail.example", "Old", "Older" }));
}

TEST_F(PasswordKeeperToolsTest, ACancelledPreviewWritesNothing)
{
    open();
    folder.write("export.csv", "url,username,password\nhttps://a.example,me,Pw-1\n");
    dialogs.queueFile(folder.filePath("export.csv"));
    whenModalOpens<PasswordImportPreview>(
        "PasswordImportPreview", [](PasswordImportPreview* preview) {
            ASSERT_NE(preview, nullptr);
            EXPECT_EQ(preview->plan().count(PasswordImport::Action::Add), 1);
        });
    action("mUImport")->trigger();
    EXPECT_TRUE(listedNames().isEmpty());
    EXPECT_FALSE(folder.exists("Secfile1.Fil"));
    EXPECT_TRUE(messages.messages().isEmpty());
}

} // namespace
