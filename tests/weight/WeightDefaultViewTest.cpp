#include "FakeClock.h"
#include "RecordingHelp.h"
#include "ScriptedDialogs.h"
#include "ScriptedMessageService.h"
#include "TemporaryProgramFolder.h"
#include "backup/ui/BackupScreen.h"

#include "screens/DataGrid.h"
#include "screens/LineChart.h"
#include "screens/ShellState.h"
#include "storage/ProgramSettings.h"
#include "storage/StoredDate.h"
#include "storage/WeightPersonSettings.h"
#include "weight/WeightFile.h"
#include "weight/ui/WeightTracker.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <memory>

namespace {

using Unit = WeightPersonSettings::Unit;

const QDate Today(2026, 12, 9);

// The menu as "name caption" lines, "-" for a separator, a submenu by its
// own name.
QStringList itemsOf(const QMenu* menu)
{
    QStringList items;
    for (const QAction* action : menu->actions()) {
        if (action->isSeparator())
            items.append(QStringLiteral("-"));
        else
            items.append((action->menu() ? action->menu()->objectName() : action->objectName())
                + u' ' + action->text());
    }
    return items;
}

// Ann, with no unit chosen: weigh-ins from June, losing, towards a goal.
class WeightDefaultViewTest : public ::testing::Test
{
protected:
    TemporaryProgramFolder folder;
    ScriptedMessageService messages;
    ScriptedDialogs dialogs;
    FakeClock clock { QDateTime(Today, QTime(10, 0)) };
    ShellState state;
    RecordingHelp help;
    ScreenServices services { folder.folder(), messages, dialogs, clock, state, help,
        &BackupScreen::run };
    std::unique_ptr<WeightTracker> screen;

    void SetUp() override
    {
        WeightFile file;
        file.name = "Ann";
        file.beginningDate = StoredDate::longText(QDate(2026, 6, 1));
        file.beginningWeight = "200";
        file.goalWeight = "150";
        for (int i = 0; i < 20; ++i)
            file.rows.append({ StoredDate::longText(QDate(2026, 6, 1).addDays(3 * i)),
                QString::number(200 - 0.5 * i) });
        ASSERT_TRUE(file.SaveWeightFile(folder.folder()));
        IndividualList list = WeightFile::LoadIndividualList(folder.folder());
        list.add("Ann");
        ASSERT_TRUE(WeightFile::WriteIndividualList(folder.folder(), list));
    }

    // Opens the screen anew, as after a restart, with Ann on display.
    void openAnn()
    {
        screen.reset();
        screen = std::make_unique<WeightTracker>(services);
        screen->show();
        QCoreApplication::processEvents();
        auto* list = find<QComboBox>("Combo1");
        const int index = list->findText("Ann");
        ASSERT_GE(index, 0);
        list->setCurrentIndex(index);
        emit list->activated(index);
    }

    template <typename W = QWidget> W* find(const QString& name) const
    {
        W* widget = screen->findChild<W*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    bool shown(const QString& name) const { return find(name)->isVisibleTo(screen.get()); }

    // Every text the user can see on the screen now.
    QStringList visibleTexts() const
    {
        QStringList texts;
        for (const QWidget* widget : screen->findChildren<QWidget*>()) {
            if (!widget->isVisibleTo(screen.get()))
                continue;
            if (const auto* label = qobject_cast<const QLabel*>(widget))
                texts.append(label->text());
            else if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
                texts.append(button->text());
            else if (const auto* box = qobject_cast<const QGroupBox*>(widget))
                texts.append(box->title());
        }
        return texts;
    }
};

} // namespace

TEST_F(WeightDefaultViewTest, TheOptionsMenuIsTheScreensOwnWithTheAdditionsAfterItUnticked)
{
    openAnn();
    EXPECT_EQ(itemsOf(find<QMenu>("mO")),
        QStringList({
            "mOProg &Program Setup",
            "-",
            "mOBC &Grid Background Selector",
            "mOPC Panel C&olor",
            "-",
            "mOCr &Create New File",
            "-",
            "mOV &View Existing File",
            "-",
            "mOIn View &Plan Information",
            "mOMnt View &Weight Tracker",
            "-",
            "mODel &Delete Displayed File",
            "mOP &Print Options",
            "mOS &Save",
            "-",
            "mOEx E&xit",
            "-",
            "mOAvg &Averages and Units",
            "-",
            "mOTrendLine &Trend Line on the Graph",
            "mOTrendFigures Trend &Figures beside the Log",
        }));
    for (const char* addition : { "mOTrendLine", "mOTrendFigures" }) {
        EXPECT_TRUE(find<QAction>(addition)->isCheckable()) << addition;
        EXPECT_FALSE(find<QAction>(addition)->isChecked()) << addition;
    }
    // Nothing was written for choices nobody made.
    EXPECT_FALSE(folder.exists("Halvorn.ini"));
}

TEST_F(WeightDefaultViewTest, TheLogAndTheGraphShowWhatTheyAlwaysShowed)
{
    openAnn();
    const struct {
        const char* name;
        bool visible;
        const char* text;
    } controls[] = {
        { "Command2", true, "&View Existing File" },
        { "Command3", true, "View &Plan Information" },
        { "Command4", true, "View &Weight Tracker" },
        { "Command5", true, "&Graph Display" },
        { "Command7", true, "&Create New File" },
        { "Command8", true, "&Delete Displayed File" },
        { "Command9", true, "&Print Options" },
        { "Command10", true, "&Save" },
        { "Command1", true, "E&xit" },
        { "Label11", true, "Date of Weigh In" },
        { "Label9", true, "Current Weight " },
        { "Label10", true, "Change from last Entry  " },
        { "Label23", true, "Beginning Weight Difference" },
        { "SSCommand8", true, "&Add Additional Row" },
        { "SSCommand9", true, "Delete Selected Row" },
        { "SSCommand10", true, "Turn Trend Display OFF" },
        { "Label12_0", true, "Last  Entry Trend " },
        { "Label12_1", true, "Beginning Weight  Trend   " },
        { "Image8", true, nullptr },
        { "Image9", true, nullptr },
        { "Label16", false, "CONGRATULATIONS!" },
        { "Label14", false, "GOAL WEIGHT ACHIEVED!" },
        { "TrendWeight", false, nullptr },
        { "WeeklyRate", false, nullptr },
        { "GoalProjection", false, nullptr },
        { "BodyMassIndex", false, nullptr },
    };
    for (const auto& control : controls) {
        SCOPED_TRACE(control.name);
        EXPECT_EQ(shown(control.name), control.visible);
        if (!control.text)
            continue;
        const QWidget* widget = find(control.name);
        if (const auto* label = qobject_cast<const QLabel*>(widget))
            EXPECT_EQ(label->text(), control.text);
        else
            EXPECT_EQ(qobject_cast<const QAbstractButton*>(widget)->text(), control.text);
    }

    find<QPushButton>("Command5")->click();
    auto* chart = find<LineChart>("Chart2D1");
    EXPECT_EQ(chart->seriesCount(), 3) << "weights, goal and beginning weight";
    EXPECT_EQ(chart->xAxisTitle(), "Weigh In Dates");
    EXPECT_FALSE(shown("TrendLegend"));
    EXPECT_EQ(find<QGroupBox>("SSPanel4")->title(), "Ann Weight Tracker Graph");
}

TEST_F(WeightDefaultViewTest, EachAdditionShowsOnceTickedAndStaysTickedAfterARestart)
{
    openAnn();
    find<QAction>("mOTrendLine")->trigger();
    find<QAction>("mOTrendFigures")->trigger();
    for (int opening = 1; opening <= 2; ++opening) {
        SCOPED_TRACE(opening == 1 ? "ticked" : "after a restart");
        EXPECT_TRUE(find<QAction>("mOTrendLine")->isChecked());
        EXPECT_TRUE(find<QAction>("mOTrendFigures")->isChecked());
        for (const char* figure : { "TrendWeight", "WeeklyRate", "GoalProjection" }) {
            EXPECT_TRUE(shown(figure)) << figure;
            EXPECT_FALSE(find<QLabel>(figure)->text().isEmpty()) << figure;
        }
        find<QPushButton>("Command5")->click();
        EXPECT_EQ(find<LineChart>("Chart2D1")->seriesCount(), 4);
        EXPECT_TRUE(shown("TrendLegend"));
        openAnn();
    }

    // The trend switch hides the figures with the pictures.
    find<QPushButton>("SSCommand10")->click();
    EXPECT_FALSE(shown("TrendWeight"));
    EXPECT_FALSE(shown("Label12_0"));
    find<QPushButton>("SSCommand10")->click();
    EXPECT_TRUE(shown("TrendWeight"));

    // Unticked, the screen is as it always was again, after a restart too.
    find<QAction>("mOTrendLine")->trigger();
    find<QAction>("mOTrendFigures")->trigger();
    openAnn();
    EXPECT_FALSE(shown("TrendWeight"));
    find<QPushButton>("Command5")->click();
    EXPECT_EQ(find<LineChart>("Chart2D1")->seriesCount(), 3);
}

// A unit is named only once one is chosen for the person, in the log's
// figures, the averages and the graph's axis (which the printed graph and
// Chartxxx.jpg are pictures of).
TEST_F(WeightDefaultViewTest, NoUnitIsNamedUntilOneIsChosen)
{
    const struct Case {
        const char* name;
        std::optional<Unit> unit;
        bool stones;
        const char* axisTitle;
        const char* named; // the unit's words that must show
    } cases[] = {
        { "no unit", std::nullopt, false, "", nullptr },
        { "pounds", Unit::Pounds, false, "Weight (lb)", " lb" },
        { "kilograms", Unit::Kilograms, false, "Weight (kg)", " kg" },
        { "stones", Unit::Pounds, true, "Weight (lb)", " st " },
    };
    const QRegularExpression anyUnit(QStringLiteral(R"(\b(lb|kg|st|Pounds|Kilograms)\b)"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(
            WeightPersonSettings(folder.folder()).write("Ann", { c.unit, c.stones, std::nullopt }));
        ASSERT_TRUE(ProgramSettings(folder.folder())
                        .setAdditionShown(ProgramSettings::Addition::WeightLogFigures, true));
        openAnn();
        const QString texts = visibleTexts().join(u'\n');
        EXPECT_TRUE(find<QLabel>("TrendWeight")->text().startsWith("Trend Weight: 1"));
        if (c.named)
            EXPECT_TRUE(texts.contains(QLatin1String(c.named))) << texts.toStdString();
        else
            EXPECT_FALSE(texts.contains(anyUnit)) << texts.toStdString();
        find<QPushButton>("Command5")->click();
        EXPECT_EQ(find<LineChart>("Chart2D1")->yAxisTitle(), c.axisTitle);
        find<QAction>("mOAvg")->trigger();
        const QString average = find<QTableWidget>("WeeklyAverages")->item(0, 2)->text();
        EXPECT_EQ(average.contains(anyUnit), c.unit.has_value()) << average.toStdString();
    }
}

// Between pounds and kilograms the screen asks, as set weight --convert or
// --relabel does: Yes rewrites the weights rounded to a tenth, No keeps the
// file's bytes, Cancel changes nothing.
TEST_F(WeightDefaultViewTest, ChangingTheUnitOfWeighInsConvertsOrRelabelsAsAnswered)
{
    using Answer = MessageService::Answer;
    const QByteArray poundsFile = folder.read("Ann.Fil");
    const struct Case {
        const char* name;
        Answer answer;
        std::optional<Unit> unit;
        const char* beginning;
        const char* firstWeight;
        bool fileKept;
    } cases[] = {
        { "cancel", Answer::Cancel, Unit::Pounds, "200", "200", true },
        { "relabel", Answer::No, Unit::Kilograms, "200", "200", true },
        { "convert", Answer::Yes, Unit::Kilograms, "90.7", "90.7", false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        folder.write("Ann.Fil", poundsFile);
        ASSERT_TRUE(WeightPersonSettings(folder.folder())
                        .write("Ann", { Unit::Pounds, false, std::nullopt }));
        openAnn();
        find<QAction>("mOAvg")->trigger();
        find<QComboBox>("UnitBox")->setCurrentIndex(2);
        messages.queueAnswer(c.answer);
        const qsizetype asked = messages.messages().size();
        find<QPushButton>("SaveUnitsButton")->click();
        ASSERT_EQ(messages.messages().size(), asked + 1);
        EXPECT_EQ(messages.last().buttons, MessageService::Buttons::YesNoCancel);
        EXPECT_EQ(messages.last().defaultButton, Answer::Cancel);

        EXPECT_EQ(WeightPersonSettings(folder.folder()).read("Ann").unit, c.unit);
        EXPECT_EQ(folder.read("Ann.Fil") == poundsFile, c.fileKept);
        EXPECT_EQ(find<QLineEdit>("Text1_2")->text(), c.beginning);
        EXPECT_EQ(find<DataGrid>("Grid4")->text(1, 2), c.firstWeight);
        EXPECT_EQ(screen->changesMade(), 0);
    }

    // A first unit names what the numbers always were: nothing to ask.
    folder.write("Ann.Fil", poundsFile);
    ASSERT_TRUE(WeightPersonSettings(folder.folder()).write("Ann", {}));
    openAnn();
    find<QAction>("mOAvg")->trigger();
    find<QComboBox>("UnitBox")->setCurrentIndex(1);
    const qsizetype asked = messages.messages().size();
    find<QPushButton>("SaveUnitsButton")->click();
    EXPECT_EQ(messages.messages().size(), asked);
    EXPECT_EQ(WeightPersonSettings(folder.folder()).read("Ann").unit, Unit::Pounds);
    EXPECT_EQ(folder.read("Ann.Fil"), poundsFile);
}
