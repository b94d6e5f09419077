// The main screen's background selector: the thumbnails, the four buttons,
// what is stored and what the next start shows.

#include "FailingSaves.h"
#include "MainScreenFixture.h"

#include "storage/GZorq1File.h"
#include "storage/TaggedValue.h"

#include <QAction>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

using Answer = MessageService::Answer;

class BackgroundSelectorTest : public MainScreenFixture
{
protected:
    void SetUp() override
    {
        for (int number : { 2, 7 }) {
            QImage picture(8, 8, QImage::Format_RGB32);
            picture.fill(Qt::darkYellow);
            ASSERT_TRUE(picture.save(program->filePath(QStringLiteral("WP%1.jpg").arg(number))));
        }
    }

    void toggle() { find<QAction>("mOBC")->trigger(); }
    QWidget* selector() const { return find<QWidget>("SSPanel4"); }
    QPushButton* button(int index) const
    {
        return screen->findChild<QPushButton*>(QStringLiteral("Command1_%1").arg(index));
    }
    void clickThumbnail(int index)
    {
        QTest::mouseClick(
            screen->findChild<QWidget*>(QStringLiteral("Image3_%1").arg(index)), Qt::LeftButton);
    }
    QWidget* image() const { return find<QWidget>("Image1"); }
    QColor windowColour() const
    {
        return find<QWidget>("MainBackground")->palette().color(QPalette::Window);
    }
    BackgroundSetting stored() const { return GZorq1File(program->folder()).screenBackground(); }
    // Starts again in the same folder.
    MainScreen& restart()
    {
        screen.reset();
        state = ShellState();
        return start();
    }
};

TEST_F(BackgroundSelectorTest, ASecondUseClosesIt)
{
    MainScreen& main = start();
    toggle();
    EXPECT_TRUE(selector()->isVisible());
    EXPECT_EQ(main.statusText(), "Background Selector");
    EXPECT_FALSE(button(2)->isEnabled());
    toggle();
    EXPECT_FALSE(selector()->isVisible());
    EXPECT_EQ(main.statusText(), "Main Menu");
}

TEST_F(BackgroundSelectorTest, APictureIsPreviewedThenChosenAndShownAtTheNextStart)
{
    MainScreen& main = start();
    EXPECT_EQ(windowColour(), QColor(0, 0, 255));
    toggle();
    clickThumbnail(6);
    EXPECT_TRUE(image()->isVisible());
    EXPECT_TRUE(button(2)->isEnabled());
    EXPECT_TRUE(find<QWidget>("Shape2")->isVisible());
    button(2)->click();
    EXPECT_FALSE(selector()->isVisible());
    EXPECT_EQ(main.statusText(), "Main Menu");
    EXPECT_EQ(stored().pictureName(), "WP7");
    EXPECT_EQ(state.ScreenBackground.pictureName(), "WP7");

    restart();
    EXPECT_TRUE(image()->isVisible());
    toggle();
    EXPECT_EQ(find<QFrame>("Image3_6")->frameShape(), QFrame::NoFrame);
    // Only a thumbnail clicked in this opening can be chosen.
    EXPECT_FALSE(button(2)->isEnabled());
}

TEST_F(BackgroundSelectorTest, CancelAfterAPreviewPutsTheColourBack)
{
    start();
    toggle();
    clickThumbnail(1);
    EXPECT_TRUE(image()->isVisible());
    button(3)->click();
    EXPECT_FALSE(image()->isVisible());
    EXPECT_EQ(windowColour(), QColor(0, 0, 255));
    EXPECT_TRUE(stored().isColour());
    EXPECT_EQ(stored().colourValue(), BackgroundSetting::InitialScreenColour);

    // Closing by its menu does the same.
    toggle();
    clickThumbnail(1);
    toggle();
    EXPECT_FALSE(image()->isVisible());
}

TEST_F(BackgroundSelectorTest, AColourStartsFromBlueOverAPictureAndIsStoredAsANumber)
{
    ASSERT_TRUE(GZorq1File(program->folder()).setScreenBackground(BackgroundSetting::picture(2)));
    start();
    toggle();
    dialogs.queueColour(std::nullopt);
    button(0)->click();
    EXPECT_EQ(dialogs.initialColours().value(0), QColor(0, 0, 255));
    // Cancelled: the picture again.
    EXPECT_TRUE(image()->isVisible());
    EXPECT_TRUE(stored().isPicture());

    toggle();
    dialogs.queueColour(QColor(0, 255, 0));
    button(0)->click();
    EXPECT_FALSE(image()->isVisible());
    EXPECT_EQ(windowColour(), QColor(0, 255, 0));
    EXPECT_EQ(stored().colourValue(), 0x00FF00);

    restart();
    EXPECT_EQ(windowColour(), QColor(0, 255, 0));
    EXPECT_EQ(dialogs.initialColours().size(), 2);
}

TEST_F(BackgroundSelectorTest, TheDefaultIsStoredAsDefAndShowsTheSwatchColour)
{
    start();
    toggle();
    button(1)->click();
    const QColor swatch = QApplication::palette().color(QPalette::Window);
    EXPECT_EQ(find<QLabel>("Label1")->palette().color(QPalette::Window), swatch);
    EXPECT_EQ(windowColour(), swatch);
    EXPECT_TRUE(stored().isDefault());
    EXPECT_TRUE(state.ScreenBackground.isColour());

    restart();
    EXPECT_EQ(windowColour(), swatch);
}

TEST_F(BackgroundSelectorTest, ABackgroundThatCannotBeStoredIsReported)
{
    MainScreen& main = start();
    toggle();
    clickThumbnail(6);
    {
        FailingSaves failing(0);
        button(2)->click();
    }
    ASSERT_FALSE(messages.messages().isEmpty());
    EXPECT_EQ(messages.last().icon, MessageService::Icon::Critical);
    EXPECT_TRUE(messages.last().text.contains("GZORQ1.Fil"));
    // It holds for this run.
    EXPECT_TRUE(image()->isVisible());
    EXPECT_EQ(main.statusText(), "Main Menu");
}

} // namespace
