// Panel colour and grid background of every tracker: what opening shows,
// the choices, the closing question, the copy to all functions and a new
// run in the same folder.

#include "FailingSaves.h"
#include "TrackerScreenDriver.h"

#include "screens/DataGrid.h"
#include "screens/PanelColourService.h"
#include "storage/GColor1File.h"
#include "storage/GColor3File.h"
#include "storage/RecordFile.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

using Answer = MessageService::Answer;

const QColor DarkCyan(0, 128, 128);
const QColor Chosen(10, 20, 30);
// Chosen as the files store it: red in the low byte.
const QString ChosenDigits = QString::number(30 * 65536 + 20 * 256 + 10);

class TrackerColours : public testing::TestWithParam<TrackerKind>
{
protected:
    TrackerScreenDriver driver { GetParam() };
    ScriptedMessageService& messages = driver.messages;

    bool isWeight() const { return GetParam().name == "Weight"; }
    int panelRecord() const { return isWeight() ? 80 : 85; }
    int gridRecord() const { return isWeight() ? 82 : 87; }
    QString record(int number) const
    {
        RecordFile file(driver.folder.filePath("GColor1.Fil"), GColor1File::RecordLength);
        QString text;
        file.readText(number, text);
        return text.trimmed();
    }
    void store(int number, const QString& text) const
    {
        RecordFile file(driver.folder.filePath("GColor1.Fil"), GColor1File::RecordLength);
        file.writeText(number, text);
    }
    QString keeperRecord() const
    {
        return GColor3File(driver.folder.folder()).passwordKeeperPanelColour().toText();
    }

    QColor panelColour() const
    {
        return driver.find<QFrame>("Panel3D1")->palette().color(QPalette::Window);
    }
    // The desktop's window colour, whatever the panel shows.
    QColor swatchColour() const
    {
        EXPECT_EQ(driver.find<QLabel>("Label1")->palette().color(QPalette::Window),
            QApplication::palette().color(QPalette::Window));
        return QApplication::palette().color(QPalette::Window);
    }
    QColor gridDefault() const
    {
        return driver.find<QLineEdit>("Text2")->palette().color(QPalette::Base);
    }
    QString status() const { return driver.find<QLabel>("StatusBar1Panel1")->text(); }

    void choosePanelColour(Answer answer, std::optional<QColor> colour = std::nullopt)
    {
        messages.queueAnswer(answer);
        driver.dialogs.queueColour(colour);
        driver.action("mOPC")->trigger();
    }
    // One of the pictures, in the program folder.
    void shipPicture(int number) const
    {
        QImage picture(8, 8, QImage::Format_RGB32);
        picture.fill(Qt::darkGreen);
        ASSERT_TRUE(picture.save(driver.folder.filePath(QStringLiteral("WP%1.jpg").arg(number))));
    }
    void openSelector() { driver.action("mOBC")->trigger(); }
    QWidget* selector() const { return driver.find("SSPanel9"); }
    void clickThumbnail(int index)
    {
        QTest::mouseClick(driver.find(QStringLiteral("Image3_%1").arg(index)), Qt::LeftButton);
    }
    void pressSelectorButton(int index)
    {
        driver.find<QPushButton>(QStringLiteral("Command22_%1").arg(index))->click();
    }
    // Closes the screen answering the questions asked, in order.
    QStringList closeAnswering(const QList<Answer>& answers)
    {
        messages.clear();
        for (Answer answer : answers)
            messages.queueAnswer(answer);
        driver.screen->close();
        QStringList titles;
        for (const auto& message : messages.messages())
            titles << message.title;
        return titles;
    }
    void reopen()
    {
        driver.screen.reset();
        messages.clear();
        driver.open();
    }
};

TEST_P(TrackerColours, OpeningPaintsThePanelFromItsRecord)
{
    const struct {
        const char* stored;
        QColor expected; // invalid: the swatch's
    } cases[] = {
        { "", DarkCyan },
        { "letters", DarkCyan },
        { "Default  ", {} },
        { "255", QColor(255, 0, 0) },
    };
    for (const auto& c : cases) {
        store(panelRecord(), QString::fromLatin1(c.stored));
        reopen();
        EXPECT_EQ(panelColour(), c.expected.isValid() ? c.expected : swatchColour()) << c.stored;
    }
}

TEST_P(TrackerColours, OpeningShowsTheGridBackgroundFromItsRecord)
{
    shipPicture(5);
    const struct {
        const char* stored;
        bool picture;
        QColor colour; // invalid: the grid's default
    } cases[] = {
        { "WP5", true, {} },
        { "wp5", true, {} },
        { "WP17", false, {} },
        { "WP/../WP5", false, {} },
        { "Default", false, {} },
        { "65280", false, QColor(0, 255, 0) },
        { "", false, {} },
    };
    for (const auto& c : cases) {
        store(gridRecord(), QString::fromLatin1(c.stored));
        reopen();
        EXPECT_EQ(driver.grid()->hasBackgroundPicture(), c.picture) << c.stored;
        if (!c.picture) {
            EXPECT_EQ(
                driver.grid()->backgroundColour(), c.colour.isValid() ? c.colour : gridDefault())
                << c.stored;
        }
    }
}

TEST_P(TrackerColours, AChosenColourIsSavedAndCopiedToEveryFunctionOnYes)
{
    driver.open();
    choosePanelColour(Answer::Yes, Chosen);
    const auto question = messages.last();
    EXPECT_EQ(question.title, "Panel Color");
    EXPECT_EQ(question.text,
        "Select New Color or Use System Default Color?\n\nYes = Color Selection Panel will "
        "appear.\nNo = Current System Default Color will be selected.");
    EXPECT_EQ(question.buttons, MessageService::Buttons::YesNoCancel);
    EXPECT_EQ(question.icon, MessageService::Icon::Information);
    EXPECT_EQ(driver.dialogs.initialColours().value(0), DarkCyan);
    EXPECT_EQ(panelColour(), Chosen);
    EXPECT_EQ(status(), driver.screen->windowTitle());

    EXPECT_EQ(closeAnswering({ Answer::Yes, Answer::Yes }),
        QStringList({ "Color Changes", "Complete Program Panel Color Update Option" }));
    EXPECT_EQ(messages.messages()[0].text, "Save changes made to Panel Color/Background?");
    EXPECT_EQ(messages.messages()[0].buttons, MessageService::Buttons::YesNo);
    EXPECT_EQ(
        messages.messages()[1].text, "Save Panel Color Changes for ALL of the Program Functions?");
    EXPECT_EQ(messages.messages()[1].buttons, MessageService::Buttons::YesNoCancel);
    EXPECT_EQ(messages.messages()[1].defaultButton, Answer::No);
    for (int number : { 49, 80, 85 })
        EXPECT_EQ(record(number), ChosenDigits) << number;
    EXPECT_EQ(keeperRecord(), ChosenDigits);
    EXPECT_EQ(driver.state.SharedPanelColour.toText(), ChosenDigits);
    EXPECT_TRUE(driver.state.PendingPanelColour.isEmpty());

    reopen();
    EXPECT_EQ(panelColour(), Chosen);
}

TEST_P(TrackerColours, AnsweringNoToTheCopyLeavesTheOtherFunctionsAlone)
{
    driver.open();
    choosePanelColour(Answer::Yes, Chosen);
    closeAnswering({ Answer::Yes, Answer::No });
    EXPECT_EQ(record(panelRecord()), ChosenDigits);
    EXPECT_EQ(record(isWeight() ? 85 : 80), "");
    EXPECT_EQ(record(49), "");
    EXPECT_TRUE(driver.state.SharedPanelColour.isDefault());
}

TEST_P(TrackerColours, TheDefaultChoiceIsStoredAsDefaultAndIsNotOfferedWhenAlreadyShared)
{
    store(panelRecord(), "255");
    driver.open();
    choosePanelColour(Answer::No);
    EXPECT_EQ(panelColour(), swatchColour());
    EXPECT_TRUE(driver.dialogs.dialogTitles().isEmpty());
    // The shared colour is "Default" already: no second question.
    EXPECT_EQ(closeAnswering({ Answer::Yes }), QStringList({ "Color Changes" }));
    EXPECT_EQ(record(panelRecord()), "Default");
}

TEST_P(TrackerColours, ACancelledChoiceChangesNothingAndClosingAsksNothing)
{
    store(panelRecord(), "255");
    driver.open();
    choosePanelColour(Answer::Cancel);
    choosePanelColour(Answer::Yes, std::nullopt);
    EXPECT_EQ(panelColour(), QColor(255, 0, 0));
    EXPECT_TRUE(closeAnswering({}).isEmpty());
    EXPECT_EQ(record(panelRecord()), "255");
}

TEST_P(TrackerColours, AnsweringNoWhenClosingKeepsTheRecords)
{
    driver.open();
    choosePanelColour(Answer::Yes, Chosen);
    closeAnswering({ Answer::No });
    EXPECT_EQ(messages.messages().size(), 1);
    EXPECT_EQ(record(panelRecord()), "");
}

TEST_P(TrackerColours, AGridPictureIsSavedWithoutTouchingThePanelRecord)
{
    shipPicture(5);
    store(panelRecord(), "Default");
    driver.open();
    openSelector();
    EXPECT_EQ(status(), "Grid Background Selector");
    EXPECT_FALSE(driver.find<QPushButton>("Command22_2")->isEnabled());
    clickThumbnail(4);
    EXPECT_TRUE(driver.find<QPushButton>("Command22_2")->isEnabled());
    EXPECT_TRUE(driver.grid()->hasBackgroundPicture());
    pressSelectorButton(2);
    EXPECT_FALSE(selector()->isVisible());
    EXPECT_EQ(status(), driver.screen->windowTitle());

    // Nobody chose a panel colour: no copy to the other functions.
    EXPECT_EQ(closeAnswering({ Answer::Yes }), QStringList({ "Color Changes" }));
    EXPECT_EQ(record(gridRecord()), "WP5");
    EXPECT_EQ(record(panelRecord()), "Default");

    reopen();
    EXPECT_TRUE(driver.grid()->hasBackgroundPicture());
    openSelector();
    EXPECT_TRUE(driver.find("Shape2")->isVisible());
    EXPECT_EQ(driver.find<QFrame>("Image3_4")->frameShape(), QFrame::NoFrame);
    EXPECT_EQ(driver.find<QFrame>("Image3_3")->frameShadow(), QFrame::Raised);
}

TEST_P(TrackerColours, CancelAfterAPreviewShowsWhatTheGridHadAndKeepsAnEarlierChoice)
{
    shipPicture(3);
    driver.open();
    openSelector();
    driver.dialogs.queueColour(QColor(0, 0, 255));
    pressSelectorButton(0);
    EXPECT_EQ(driver.grid()->backgroundColour(), QColor(0, 0, 255));

    openSelector();
    clickThumbnail(2);
    EXPECT_TRUE(driver.grid()->hasBackgroundPicture());
    pressSelectorButton(3);
    EXPECT_FALSE(driver.grid()->hasBackgroundPicture());
    EXPECT_EQ(driver.grid()->backgroundColour(), QColor(0, 0, 255));

    closeAnswering({ Answer::Yes });
    EXPECT_EQ(record(gridRecord()), QString::number(0xFF0000));
}

TEST_P(TrackerColours, ASelectorClosedAnotherWayPutsTheBackgroundBack)
{
    shipPicture(6);
    store(gridRecord(), "65280");
    driver.open();
    for (const auto& closeIt : std::initializer_list<std::function<void()>> {
             [this] { openSelector(); }, [this] { driver.action("mOCr")->trigger(); } }) {
        openSelector();
        clickThumbnail(5);
        closeIt();
        EXPECT_FALSE(selector()->isVisible());
        EXPECT_FALSE(driver.grid()->hasBackgroundPicture());
        EXPECT_EQ(driver.grid()->backgroundColour(), QColor(0, 255, 0));
    }
    EXPECT_TRUE(closeAnswering({}).isEmpty());
}

TEST_P(TrackerColours, CancellingTheColourDialogShowsThePictureAgain)
{
    shipPicture(5);
    store(gridRecord(), "WP5");
    driver.open();
    openSelector();
    pressSelectorButton(0);
    EXPECT_TRUE(driver.grid()->hasBackgroundPicture());
    EXPECT_TRUE(closeAnswering({}).isEmpty());
}

TEST_P(TrackerColours, TheDefaultGridIsStoredAsDefault)
{
    store(gridRecord(), "65280");
    driver.open();
    openSelector();
    pressSelectorButton(1);
    EXPECT_EQ(driver.grid()->backgroundColour(), gridDefault());
    closeAnswering({ Answer::Yes });
    EXPECT_EQ(record(gridRecord()), "Default");
}

TEST_P(TrackerColours, TheColourQuestionComesWhereTheTrackerClosesIt)
{
    driver.storeIndividual("Ann", { { QStringLiteral("December 01, 2026") } });
    driver.open();
    driver.select("Ann");
    driver.typeIntoCell(1, 2, GetParam().typedValue);
    choosePanelColour(Answer::Yes, Chosen);
    const QString save = GetParam().trackerName + " Information";
    const QStringList titles = closeAnswering({ Answer::No, Answer::No });
    EXPECT_EQ(titles,
        isWeight() ? QStringList({ "Color Changes", save })
                   : QStringList({ save, "Color Changes" }));
}

TEST_P(TrackerColours, AColourThatCannotBeStoredIsReported)
{
    driver.open();
    choosePanelColour(Answer::Yes, Chosen);
    {
        FailingSaves failing(0);
        closeAnswering({ Answer::Yes });
    }
    ASSERT_EQ(messages.messages().size(), 2);
    EXPECT_EQ(messages.last().icon, MessageService::Icon::Critical);
    EXPECT_TRUE(messages.last().text.contains("GColor1.Fil")) << messages.last().text.toStdString();
    EXPECT_TRUE(driver.state.SharedPanelColour.isDefault());
}

INSTANTIATE_TEST_SUITE_P(Trackers, TrackerColours,
    testing::Values(weightTrackerKind(), bloodPressureTrackerKind()),
    [](const testing::TestParamInfo<TrackerKind>& testCase) { return testCase.param.name; });

TEST(ApplyPanelColourToAll, TheSharedColourChangesOnlyWhenItsRecordWasWritten)
{
    TrackerScreenDriver driver(weightTrackerKind());
    driver.state.PendingPanelColour = QStringLiteral("255");
    driver.messages.queueAnswer(Answer::Yes);
    {
        FailingSaves failing(0);
        PanelColourService::applyToAll(driver.services);
    }
    EXPECT_TRUE(driver.state.SharedPanelColour.isDefault());
    EXPECT_EQ(driver.messages.last().icon, MessageService::Icon::Critical);
}

} // namespace
