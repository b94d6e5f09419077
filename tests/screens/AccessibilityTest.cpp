#include "CommandNames.h"
#include "ScriptedScreenServices.h"
#include "TrackerScreenDriver.h"

#include "backup/ui/BackupScreen.h"
#include "passwords/ui/PasswordKeeper.h"
#include "screens/DataGrid.h"
#include "shell/HelpWindow.h"
#include "shell/MainScreen.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QDate>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <utility>

namespace {

// A control is announced by a name of its own: a button or check box by its
// caption, anything else by a label whose buddy it is or a name given to it.
// (Qt would otherwise name a box after its group box's title, which tells
// the boxes of a group apart from nothing.)
bool announcedByName(QWidget* control)
{
    if (qobject_cast<QAbstractButton*>(control)) {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(control);
        return face && !face->text(QAccessible::Name).trimmed().isEmpty();
    }
    if (!control->accessibleName().trimmed().isEmpty())
        return true;
    const QList<QLabel*> labels = control->window()->findChildren<QLabel*>();
    return std::any_of(labels.begin(), labels.end(), [control](const QLabel* label) {
        return label->buddy() == control && !label->text().trimmed().isEmpty();
    });
}

QString describe(QWidget* control)
{
    // A part without a name of its own is found by its parent's.
    QString name = control->objectName();
    if (name.isEmpty() && control->parentWidget())
        name = control->parentWidget()->objectName() + QStringLiteral("/");
    return QStringLiteral("%1 (%2)").arg(
        name, QString::fromLatin1(control->metaObject()->className()));
}

// The controls Tab reaches in the window as it stands, in the order it
// reaches them.
QList<QWidget*> tabChain(QWidget* window)
{
    QList<QWidget*> chain;
    QWidget* widget = window;
    for (int guard = 0; guard < 1000; ++guard) {
        widget = widget->nextInFocusChain();
        if (widget == window)
            break;
        // A compound control (a grid, a calendar) is announced by the part
        // it hands the focus to.
        if (widget->window() == window && widget->isVisibleTo(window) && !widget->focusProxy()
            && (widget->focusPolicy() & Qt::TabFocus))
            chain.append(widget);
    }
    return chain;
}

QStringList unnamedControls(QWidget* window)
{
    QApplication::processEvents();
    QStringList unnamed;
    for (QWidget* control : tabChain(window)) {
        if (!announcedByName(control))
            unnamed.append(describe(control));
    }
    return unnamed;
}

QString nameOf(const QWidget* control)
{
    // A part without a name of its own (a grid's table) goes by its owner's.
    if (control->objectName().isEmpty() && control->parentWidget())
        return control->parentWidget()->objectName();
    return control->objectName();
}

// Where Tab takes the focus, from first on, pressed as the user does until
// the focus comes back to first (or has gone round longer than any screen).
QStringList tabWalk(QWidget* first)
{
    // Whatever the screen focuses as it opens has had its turn first.
    QApplication::processEvents();
    first->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    QStringList names { nameOf(QApplication::focusWidget()) };
    for (int step = 0; step < 60; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* focused = QApplication::focusWidget();
        if (focused == first)
            break;
        names.append(nameOf(focused));
    }
    return names;
}

// What a screen reader is told of a control.
QAccessibleInterface* readerView(QWidget* control)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(control);
    EXPECT_NE(face, nullptr) << describe(control).toStdString();
    return face;
}

QString focusedName()
{
    return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
}

// The thumbnails a screen reader hears as selected.
QStringList selectedThumbnails(QWidget* window)
{
    QStringList selected;
    for (int index = 0; index < 16; ++index) {
        auto* thumbnail = window->findChild<QWidget*>(QStringLiteral("Image3_%1").arg(index));
        QAccessibleInterface* face = readerView(thumbnail);
        if (face && face->state().selected)
            selected.append(face->text(QAccessible::Name));
    }
    return selected;
}

// A background selector just opened, driven by keys alone: the focus is on
// the current picture (the first when there is none, currentPicture 0); the
// arrows move it, Space or Enter previews, Tab reaches "Use &Above
// Background" and Space chooses it.
void chooseThirdPictureByKeys(QWidget* window, const char* buttonArray, int currentPicture)
{
    SCOPED_TRACE(buttonArray);
    for (int index = 0; index < 16; ++index) {
        auto* thumbnail = window->findChild<QWidget*>(QStringLiteral("Image3_%1").arg(index));
        QAccessibleInterface* face = readerView(thumbnail);
        ASSERT_TRUE(face);
        EXPECT_EQ(
            face->text(QAccessible::Name), QStringLiteral("Background picture %1").arg(index + 1));
        EXPECT_EQ(face->role(), QAccessible::ListItem);
        EXPECT_TRUE(face->state().selectable);
    }
    EXPECT_EQ(focusedName(), QStringLiteral("Image3_%1").arg(std::max(currentPicture, 1) - 1));

    // Home, Right, Down and Up come to picture 2; Left from the first goes
    // nowhere.
    const std::pair<Qt::Key, const char*> moves[] = { { Qt::Key_Home, "Image3_0" },
        { Qt::Key_Left, "Image3_0" }, { Qt::Key_Right, "Image3_1" }, { Qt::Key_Down, "Image3_9" },
        { Qt::Key_Down, "Image3_9" }, { Qt::Key_Up, "Image3_1" }, { Qt::Key_End, "Image3_15" },
        { Qt::Key_Home, "Image3_0" }, { Qt::Key_Right, "Image3_1" } };
    for (const auto& [key, focused] : moves) {
        QTest::keyClick(QApplication::focusWidget(), key);
        EXPECT_EQ(focusedName(), QLatin1String(focused)) << key;
    }
    // Moving the focus previews nothing; Space and Enter do.
    EXPECT_EQ(selectedThumbnails(window).size(), currentPicture > 0 ? 1 : 0);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_EQ(selectedThumbnails(window), QStringList { "Background picture 2" });
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(selectedThumbnails(window), QStringList { "Background picture 3" });

    const QString useAbove = QStringLiteral("%1_2").arg(QLatin1String(buttonArray));
    for (int step = 0; step < 5 && focusedName() != useAbove; ++step)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(focusedName(), useAbove);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
}

} // namespace

class TrackerAccessibilityTest : public ::testing::TestWithParam<TrackerKind>
{
protected:
    TrackerScreenDriver driver { GetParam() };

    void expectAllNamed(const char* state)
    {
        SCOPED_TRACE(state);
        const QStringList unnamed = unnamedControls(driver.screen.get());
        EXPECT_TRUE(unnamed.isEmpty()) << unnamed.join(QStringLiteral(", ")).toStdString();
    }
    void click(const char* button) { QTest::mouseClick(driver.button(button), Qt::LeftButton); }
};

TEST_P(TrackerAccessibilityTest, EveryControlOfEveryViewIsNamed)
{
    driver.open();
    expectAllNamed("no individual");
    click(TrackerCommand::Create);
    expectAllNamed("create mode");
    driver.storeIndividual(QStringLiteral("Ann"));
    driver.screen.reset();
    driver.open();
    driver.select(QStringLiteral("Ann"));
    expectAllNamed("log");
    driver.clickCell(1, 1);
    expectAllNamed("log with its calendar");
    click(TrackerCommand::PlanOrChart);
    expectAllNamed("second panel");
    click(TrackerCommand::Graph);
    expectAllNamed("graph");
    click(TrackerCommand::PrintOptions);
    expectAllNamed("print options");
    QTest::keyClick(driver.screen.get(), Qt::Key_Escape);
    driver.action("mOBC")->trigger();
    expectAllNamed("grid background selector");
}

TEST_P(TrackerAccessibilityTest, GridBackgroundIsChosenByKeysAlone)
{
    driver.storeIndividual(QStringLiteral("Ann"));
    driver.open();
    driver.screen->activateWindow();
    driver.select(QStringLiteral("Ann"));
    QWidget* selector = driver.find(QStringLiteral("SSPanel9"));
    driver.action("mOBC")->trigger();
    QApplication::processEvents();
    ASSERT_TRUE(selector->isVisible());
    chooseThirdPictureByKeys(driver.screen.get(), "Command22", 0);
    EXPECT_FALSE(selector->isVisible());

    // Opened again, it starts at the picture chosen, announced as selected.
    driver.action("mOBC")->trigger();
    QApplication::processEvents();
    EXPECT_EQ(focusedName(), QStringLiteral("Image3_2"));
    EXPECT_EQ(selectedThumbnails(driver.screen.get()), QStringList { "Background picture 3" });
}

TEST_P(TrackerAccessibilityTest, GraphControlsAreNamedAndWorkForAScreenReader)
{
    const bool weight = GetParam().name == "Weight";
    driver.storeIndividual(QStringLiteral("Ann"),
        { { QStringLiteral("December 01, 2026"), GetParam().typedValue },
            { QStringLiteral("December 08, 2026"), GetParam().typedValue } });
    driver.open();
    driver.screen->activateWindow();
    driver.select(QStringLiteral("Ann"));
    click(TrackerCommand::Graph);
    QApplication::processEvents();
    QWidget* graph = driver.find(QStringLiteral("SSPanel4"));
    ASSERT_TRUE(graph->isVisible());

    // Each line of the legend says which it is.
    QStringList legend;
    const QList<QWidget*> lines = weight
        ? QList<QWidget*> { driver.find(QStringLiteral("Line3_0")),
              driver.find(QStringLiteral("Line3_1")) }
        : graph->findChildren<QWidget*>(QString(), Qt::FindChildrenRecursively);
    for (QWidget* line : lines) {
        if (!weight && !line->inherits("LegendSample"))
            continue;
        EXPECT_TRUE(line->isVisible()) << describe(line).toStdString();
        if (QAccessibleInterface* face = readerView(line))
            legend.append(face->text(QAccessible::Name));
    }
    const QStringList expected = weight
        ? QStringList { "Beginning weight line of the graph", "Goal weight line of the graph" }
        : QStringList { "Systolic Reading line of the graph", "Systolic Normal line of the graph",
              "Diastolic Reading line of the graph", "Diastolic Normal line of the graph",
              "Pulse line of the graph" };
    EXPECT_EQ(legend.join('|').toStdString(), expected.join('|').toStdString());
    if (weight)
        return;

    // "Display Time of Reading": reached by Tab, said with its state, and
    // switched by Space.
    auto* timeShown = driver.find(QStringLiteral("SSCheck4"));
    EXPECT_TRUE(tabChain(driver.screen.get()).contains(timeShown));
    QAccessibleInterface* face = readerView(timeShown);
    ASSERT_TRUE(face);
    EXPECT_EQ(face->role(), QAccessible::CheckBox);
    EXPECT_EQ(face->text(QAccessible::Name), QStringLiteral("Display Time of Reading"));
    EXPECT_TRUE(face->state().checkable);
    EXPECT_FALSE(face->state().checked);
    timeShown->setFocus(Qt::TabFocusReason);
    QTest::keyClick(timeShown, Qt::Key_Space);
    EXPECT_TRUE(readerView(timeShown)->state().checked);
}

TEST(WeightAccessibility, PictureBrowserAndEnlargedViewAreNamed)
{
    TrackerScreenDriver driver(weightTrackerKind());
    driver.storeIndividual(QStringLiteral("Ann"));
    driver.open();
    driver.select(QStringLiteral("Ann"));
    QTest::mouseClick(driver.button(TrackerCommand::PlanOrChart), Qt::LeftButton);
    driver.button("SSCommand3_0")->click();
    QStringList unnamed = unnamedControls(driver.screen.get());
    EXPECT_TRUE(unnamed.isEmpty()) << unnamed.join(QStringLiteral(", ")).toStdString();
}

TEST(WeightAccessibility, TrendFacesSayWhatTheyShow)
{
    TrackerScreenDriver driver(weightTrackerKind());
    driver.storeIndividual(QStringLiteral("Ann"),
        { { QStringLiteral("December 01, 2026"), QStringLiteral("200") },
            { QStringLiteral("December 08, 2026"), QStringLiteral("197") } });
    driver.open();
    driver.select(QStringLiteral("Ann"));
    EXPECT_EQ(driver.find(QStringLiteral("Image8"))->accessibleDescription(),
        QStringLiteral("Last entry trend: down"));
    driver.typeIntoCell(2, 2, QStringLiteral("199.5"));
    EXPECT_EQ(driver.find(QStringLiteral("Image8"))->accessibleDescription(),
        QStringLiteral("Last entry trend: down a little"));
}

TEST(BloodPressureAccessibility, ReadingEntryPanelIsNamed)
{
    TrackerScreenDriver driver(bloodPressureTrackerKind());
    driver.storeIndividual(QStringLiteral("Ann"));
    driver.open();
    driver.select(QStringLiteral("Ann"));
    driver.clickCell(1, 1);
    driver.pickLogDate(QDate(2026, 12, 1));
    ASSERT_TRUE(driver.find("SSPanel5")->isVisible());
    const QStringList unnamed = unnamedControls(driver.screen.get());
    EXPECT_TRUE(unnamed.isEmpty()) << unnamed.join(QStringLiteral(", ")).toStdString();
}

class OtherScreensAccessibilityTest : public ::testing::Test, protected ScriptedScreenServices
{
protected:
    static void expectAllNamed(QWidget* window)
    {
        window->show();
        const QStringList unnamed = unnamedControls(window);
        EXPECT_TRUE(unnamed.isEmpty()) << unnamed.join(QStringLiteral(", ")).toStdString();
    }
};

TEST_F(OtherScreensAccessibilityTest, MainScreenAndHelpWindowAreNamed)
{
    {
        SCOPED_TRACE("main screen");
        MainScreen main(services);
        main.open();
        expectAllNamed(&main);
        main.findChild<QAction*>(QStringLiteral("mOBC"))->trigger();
        ASSERT_TRUE(main.findChild<QWidget*>(QStringLiteral("SSPanel4"))->isVisible());
        expectAllNamed(&main);
    }
    {
        SCOPED_TRACE("help window");
        HelpWindow window(folder.folder());
        expectAllNamed(&window);
    }
}

TEST_F(OtherScreensAccessibilityTest, ScreenBackgroundIsChosenByKeysAlone)
{
    MainScreen main(services);
    main.open();
    main.show();
    main.activateWindow();
    QApplication::processEvents();
    main.findChild<QAction*>(QStringLiteral("mOBC"))->trigger();
    QApplication::processEvents();
    chooseThirdPictureByKeys(&main, "Command1", 0);
    EXPECT_FALSE(main.findChild<QWidget*>(QStringLiteral("SSPanel4"))->isVisible());
    EXPECT_EQ(state.ScreenBackground.pictureName(), QStringLiteral("WP3"));
}

TEST_F(OtherScreensAccessibilityTest, TabFollowsThePasswordKeeperAndTheBackupScreen)
{
    PasswordKeeper keeper(services);
    keeper.show();
    keeper.activateWindow();
    EXPECT_EQ(tabWalk(keeper.findChild<QWidget*>(QStringLiteral("Combo1"))).join(' ').toStdString(),
        // Leaving the empty list clears the entry, which disables New File;
        // Generate follows the password box it fills.
        "Combo1 Text1_0 Text1_1 Text1_2 GenerateButton Text1_3 Command1");
    keeper.close();

    BackupScreen backup(services, BackupKind::WeightBackup);
    backup.show();
    backup.activateWindow();
    EXPECT_EQ(tabWalk(backup.findChild<QWidget*>(QStringLiteral("Drive1"))).join(' ').toStdString(),
        "Drive1 Dir1 Label5 SSCommand1");
}

TEST_F(OtherScreensAccessibilityTest, PasswordKeeperAndBackupScreenAreNamed)
{
    {
        SCOPED_TRACE("Password Keeper");
        PasswordKeeper keeper(services);
        expectAllNamed(&keeper);
        keeper.activateWindow();
        QTest::keyClicks(
            keeper.findChild<QWidget*>(QStringLiteral("Text1_0")), QStringLiteral("Bank"));
        auto* printOptions = keeper.findChild<QPushButton*>(QStringLiteral("Command3"));
        ASSERT_TRUE(printOptions->isEnabled());
        QTest::mouseClick(printOptions, Qt::LeftButton);
        ASSERT_TRUE(keeper.findChild<QWidget*>(QStringLiteral("SSPanel80"))->isVisible());
        expectAllNamed(&keeper);
    }
    {
        SCOPED_TRACE("backup screen");
        BackupScreen backup(services, BackupKind::WeightBackup);
        expectAllNamed(&backup);
    }
}

INSTANTIATE_TEST_SUITE_P(Trackers, TrackerAccessibilityTest,
    ::testing::Values(weightTrackerKind(), bloodPressureTrackerKind()),
    [](const auto& testCase) { return testCase.param.name; });

TEST_P(TrackerAccessibilityTest, TabFollowsTheScreenTopToBottomAndLeftToRight)
{
    const bool weight = GetParam().name == "Weight";
    driver.open();
    driver.screen->activateWindow();
    click(TrackerCommand::Create);
    // Create mode: the name box, the figures of the header (the Weight
    // Tracker's beginning date, beginning weight and goal), the commands
    // that can be used, then the plan.
    const QStringList create = weight ? QStringList { "Text1_0", "Text1_1", "Text1_2", "Text1_3",
        "Command2", "Command1", "Command11", "Text1_4", "Text1_5", "Text1_6", "Text3",
        "SSCommand3_0", "Text1_7", "SSCommand3_1", "Text1_8" }
                                      : QStringList { "Text1_0", "Command2", "Command1" };
    EXPECT_EQ(
        tabWalk(driver.find("Text1_0")).join(' ').toStdString(), create.join(' ').toStdString());

    driver.storeIndividual(QStringLiteral("Ann"));
    driver.screen.reset();
    driver.open();
    driver.screen->activateWindow();
    driver.select(QStringLiteral("Ann"));
    const QStringList log = weight
        ? QStringList { "Combo1", "Text1_1", "Text1_2", "Text1_3", "Command7", "Command3",
              "Command5", "Command10", "Command8", "Command9", "Command1", "Grid4", "SSCommand8",
              "SSCommand9", "SSCommand10" }
        : QStringList { "Combo1", "Command7", "Command3", "Command5", "Command10", "Command8",
              "Command9", "Command1", "Grid4", "SSCommand8", "SSCommand9" };
    EXPECT_EQ(tabWalk(driver.find("Combo1")).join(' ').toStdString(), log.join(' ').toStdString());
}

TEST(PlanComments, TabMovesOnAndCtrlTabTypesATab)
{
    TrackerScreenDriver driver(weightTrackerKind());
    driver.storeIndividual(QStringLiteral("Ann"));
    driver.open();
    driver.screen->activateWindow();
    driver.select(QStringLiteral("Ann"));
    QTest::mouseClick(driver.button(TrackerCommand::PlanOrChart), Qt::LeftButton);
    auto* comments = driver.find<QPlainTextEdit>(QStringLiteral("Text3"));
    comments->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(comments, QStringLiteral("Walk"));
    QTest::keyClick(comments, Qt::Key_Tab, Qt::ControlModifier);
    QTest::keyClicks(comments, QStringLiteral("daily"));
    QTest::keyClick(comments, Qt::Key_Tab);
    EXPECT_EQ(comments->toPlainText(), QStringLiteral("Walk\tdaily"));
    EXPECT_EQ(QApplication::focusWidget(), driver.find(QStringLiteral("SSCommand3_0")));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), comments);
    EXPECT_EQ(comments->toPlainText(), QStringLiteral("Walk\tdaily"));
}
