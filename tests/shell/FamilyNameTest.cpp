#include "MainScreenFixture.h"
#include "ReadOnlyFolder.h"

#include "storage/ZorqNameFile.h"

#include <QAction>

using Answer = MessageService::Answer;

class FamilyNameTest : public MainScreenFixture
{
protected:
    QString storedName() const { return ZorqNameFile(program->folder()).familyName(); }
    void storeName(const QString& name)
    {
        ASSERT_TRUE(ZorqNameFile(program->folder()).setFamilyName(name));
    }
};

TEST_F(FamilyNameTest, StoredNameStandsInFrontOfTheTitle)
{
    storeName(QStringLiteral("Smith"));
    MainScreen& main = start();
    EXPECT_EQ(main.windowTitle(), QStringLiteral("Smith Halvorn"));
    EXPECT_EQ(main.state().FamilyName, QStringLiteral("Smith"));
}

TEST_F(FamilyNameTest, InputBoxOffersTheStoredNameWithItsPrompt)
{
    storeName(QStringLiteral("Smith"));
    start();
    messages.queueInput(QStringLiteral("Smith"));

    find<QAction>("mON")->trigger();

    ASSERT_EQ(messages.inputRequests().size(), 1);
    const auto request = messages.inputRequests().first();
    EXPECT_EQ(request.title, QStringLiteral("Family Name"));
    EXPECT_EQ(request.defaultText, QStringLiteral("Smith"));
    EXPECT_EQ(request.prompt,
        QStringLiteral("Please Enter Family Name for use in the Various Program areas.\n"
                       "To Accept name,\nclick OK.\nTo Delete name,\n"
                       "click Cancel or press <Esc> key."));
    EXPECT_EQ(screen->statusText(), QStringLiteral("Main Menu"));
}

TEST_F(FamilyNameTest, AnswersGiveTheStoredNameAndTitle)
{
    const struct {
        const char* description;
        QString stored;
        std::optional<QString> answer;
        std::optional<Answer> deleteAnswer; // asked only when set
        QString expected;
    } cases[] = {
        { "set", QString(), QStringLiteral("Smith"), std::nullopt, QStringLiteral("Smith") },
        { "replace", QStringLiteral("Smith"), QStringLiteral("Jones"), std::nullopt,
            QStringLiteral("Jones") },
        { "cut to 15", QString(), QStringLiteral("Abcdefghijklmnopqrst"), std::nullopt,
            QStringLiteral("Abcdefghijklmno") },
        { "blanks kept", QString(), QStringLiteral("  van der Berg "), std::nullopt,
            QStringLiteral("  van der Berg ") },
        { "cancel, nothing stored", QString(), std::nullopt, std::nullopt, QString() },
        { "cancel, keep", QStringLiteral("Smith"), std::nullopt, Answer::No,
            QStringLiteral("Smith") },
        { "cancel, delete", QStringLiteral("Smith"), std::nullopt, Answer::Yes, QString() },
        { "empty OK, delete", QStringLiteral("Smith"), QString(), Answer::Yes, QString() },
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.description);
        renewFolder();
        if (!entry.stored.isEmpty())
            storeName(entry.stored);
        MainScreen& main = start();
        messages.queueInput(entry.answer);
        if (entry.deleteAnswer)
            messages.queueAnswer(*entry.deleteAnswer);

        find<QAction>("mON")->trigger();

        if (entry.deleteAnswer) {
            ASSERT_EQ(messages.messages().size(), 1);
            const MessageService::Message question = messages.last();
            EXPECT_EQ(question.text, QStringLiteral("Delete Family Name - Smith?"));
            EXPECT_EQ(question.title, QStringLiteral("Family Name"));
            EXPECT_EQ(question.icon, MessageService::Icon::Question);
            EXPECT_EQ(question.buttons, MessageService::Buttons::YesNo);
            EXPECT_EQ(question.defaultButton, Answer::No);
        } else {
            EXPECT_TRUE(messages.messages().isEmpty());
        }
        EXPECT_EQ(storedName(), entry.expected);
        EXPECT_EQ(main.state().FamilyName, entry.expected);
        EXPECT_EQ(main.windowTitle(),
            entry.expected.isEmpty() ? QStringLiteral("Halvorn")
                                     : entry.expected + QStringLiteral(" Halvorn"));
    }
}

TEST_F(FamilyNameTest, FunctionScreenOpenedAfterwardsCarriesTheName)
{
    MainScreen& main = start();
    messages.queueInput(QStringLiteral("Smith"));
    find<QAction>("mON")->trigger();

    find<QAction>("mFToDo")->trigger();

    ASSERT_NE(main.functionScreen(FunctionScreen::WeightTracker), nullptr);
    EXPECT_EQ(main.functionScreen(FunctionScreen::WeightTracker)->windowTitle(),
        QStringLiteral("Smith Weight Tracker"));
}

// The issue this guards against: a name set in a read-only folder showed in
// the title and was silently gone at the next start.
TEST_F(FamilyNameTest, ANameThatCannotBeStoredIsSaidWithTheFileAndTheReason)
{
    ReadOnlyFolder readOnly(program->path());
    if (!readOnly.isEffective())
        GTEST_SKIP() << "this system cannot make a folder read-only";
    MainScreen& main = start();
    messages.queueInput(QStringLiteral("Smith"));

    find<QAction>("mON")->trigger();

    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_EQ(messages.last().title, QStringLiteral("Family Name"));
    EXPECT_EQ(messages.last().icon, MessageService::Icon::Critical);
    EXPECT_TRUE(messages.last().text.startsWith(
        QStringLiteral("The family name could not be stored and will be lost when the program "
                       "starts again.\nThe file \"ZORQNAME.FIL\" could not be written:\n")))
        << messages.last().text.toStdString();
    EXPECT_EQ(main.windowTitle(), QStringLiteral("Smith Halvorn"));
}
