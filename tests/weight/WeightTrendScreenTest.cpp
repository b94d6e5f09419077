#include "FakeClock.h"
#include "RecordingHelp.h"
#include "ScriptedDialogs.h"
#include "ScriptedMessageService.h"
#include "TemporaryProgramFolder.h"
#include "backup/ui/BackupScreen.h"

#include "screens/LineChart.h"
#include "screens/ShellState.h"
#include "storage/ProgramSettings.h"
#include "storage/StoredDate.h"
#include "storage/WeightPersonSettings.h"
#include "weight/WeightFile.h"
#include "weight/ui/WeightTracker.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace {

const QDate Today(2026, 12, 9);

// Ann weighs in every other day from June 1, 2026, losing 0.2 a time from
// 200, with a goal of 150 and one weigh-in a month before the rest.
class WeightTrendScreenTest : public ::testing::Test
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
    QByteArray annBytes;

    void SetUp() override
    {
        WeightFile file;
        file.name = "Ann";
        file.beginningWeight = "200";
        file.goalWeight = "150";
        file.rows.append({ StoredDate::longText(QDate(2026, 5, 1)), "201" });
        for (int i = 0; i < 30; ++i)
            file.rows.append({ StoredDate::longText(QDate(2026, 6, 1).addDays(2 * i)),
                QString::number(200 - 0.2 * i) });
        ASSERT_TRUE(file.SaveWeightFile(folder.folder()));
        IndividualList list = WeightFile::LoadIndividualList(folder.folder());
        list.add("Ann");
        ASSERT_TRUE(WeightFile::WriteIndividualList(folder.folder(), list));
        annBytes = folder.read("Ann.Fil");
    }

    // Ann's weights in pounds, and the figures and the trend line, which
    // the screen shows only when asked, shown.
    void showEverythingInPounds()
    {
        ASSERT_TRUE(WeightPersonSettings(folder.folder())
                        .write("Ann", { WeightPersonSettings::Unit::Pounds, false, std::nullopt }));
        const ProgramSettings settings(folder.folder());
        ASSERT_TRUE(settings.setAdditionShown(ProgramSettings::Addition::WeightLogFigures, true));
        ASSERT_TRUE(settings.setAdditionShown(ProgramSettings::Addition::WeightGraphTrend, true));
    }

    void openAnn()
    {
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
    QString text(const char* label) const { return find<QLabel>(label)->text(); }

    void saveUnits(int unitIndex, bool stones, const QString& height)
    {
        find<QAction>("mOAvg")->trigger();
        find<QComboBox>("UnitBox")->setCurrentIndex(unitIndex);
        find<QCheckBox>("StonesCheck")->setChecked(stones);
        find<QLineEdit>("HeightBox")->setText(height);
        find<QPushButton>("SaveUnitsButton")->click();
    }
};

} // namespace

TEST_F(WeightTrendScreenTest, TrendFiguresAndTheGraphsTrendLineAndDateSpacing)
{
    showEverythingInPounds();
    openAnn();
    EXPECT_TRUE(text("TrendWeight").startsWith("Trend Weight: "))
        << text("TrendWeight").toStdString();
    EXPECT_TRUE(text("TrendWeight").endsWith(" lb"));
    EXPECT_TRUE(text("GoalProjection").startsWith("Goal expected about "))
        << text("GoalProjection").toStdString();
    // 0.2 lb every other day.
    EXPECT_TRUE(text("GoalProjection").endsWith(" (at 0.7 lb a week)"))
        << text("GoalProjection").toStdString();
    EXPECT_TRUE(text("BodyMassIndex").isEmpty());

    find<QPushButton>("Command5")->click();
    auto* chart = find<LineChart>("Chart2D1");
    ASSERT_EQ(chart->seriesCount(), 4);
    EXPECT_DOUBLE_EQ(chart->value(3, 0), 201);
    // A month without weigh-ins lets June 1 pull the trend nearly all the way.
    EXPECT_DOUBLE_EQ(chart->value(3, 1), 201 - (1 - std::pow(0.9, 31)));
    EXPECT_EQ(chart->yAxisTitle(), "Weight (lb)");
    EXPECT_TRUE(chart->positions().isEmpty());

    find<QCheckBox>("SpaceByDateCheck")->setChecked(true);
    ASSERT_EQ(chart->positions().size(), 31);
    // May 1 to June 1 is a month along the axis, then two days a step.
    EXPECT_DOUBLE_EQ(chart->positions()[1], 31);
    EXPECT_DOUBLE_EQ(chart->positions()[2], 33);

    find<QAction>("mOTrendLine")->trigger();
    EXPECT_EQ(chart->seriesCount(), 3);
    EXPECT_EQ(folder.read("Ann.Fil"), annBytes);

    // The averages are one click on from the graph.
    find<QPushButton>("AveragesCommand")->click();
    EXPECT_TRUE(find<QWidget>("AveragesPanel")->isVisible());
    EXPECT_FALSE(find<QWidget>("SSPanel4")->isVisible());
}

// The last weigh-in is 194.2 on July 29, 2026.
TEST_F(WeightTrendScreenTest, TheGoalMessageAndTheProjectionNeverContradictEachOther)
{
    struct Case {
        const char* what;
        QByteArray goal;
        QDate today;
        bool congratulated;
        bool projected;
    };
    const QList<Case> cases = {
        { "not reached", "150", Today, false, true },
        { "reached exactly", "194.2", Today, true, false },
        { "passed", "196", Today, true, false },
        { "projected date past", "150", QDate(2031, 1, 1), false, false },
    };
    for (const Case& c : cases) {
        QByteArray ann = annBytes;
        ann.replace("\"150\"", "\"" + c.goal + "\"");
        folder.write("Ann.Fil", ann);
        clock.setToday(c.today);
        openAnn();
        EXPECT_EQ(find<QLabel>("Label16")->isVisible(), c.congratulated) << c.what;
        EXPECT_EQ(!text("GoalProjection").isEmpty(), c.projected)
            << c.what << ": " << text("GoalProjection").toStdString();
        EXPECT_FALSE(text("GoalProjection").contains("Not approaching")) << c.what;
        screen.reset();
    }
}

TEST_F(WeightTrendScreenTest, AveragesViewAndUnitsKeptBesideTheWeightFile)
{
    using Answer = MessageService::Answer;
    showEverythingInPounds();
    openAnn();
    find<QAction>("mOAvg")->trigger();
    EXPECT_TRUE(find<QWidget>("AveragesPanel")->isVisible());
    auto* monthly = find<QTableWidget>("MonthlyAverages");
    ASSERT_EQ(monthly->rowCount(), 3);
    EXPECT_EQ(monthly->item(0, 0)->text(), "2026-05");
    EXPECT_EQ(monthly->item(0, 2)->text(), "201.0 lb");
    EXPECT_EQ(monthly->item(1, 0)->text(), "2026-06");
    EXPECT_EQ(monthly->item(1, 1)->text(), "15");
    EXPECT_TRUE(monthly->item(0, 3)->text().isEmpty());
    EXPECT_TRUE(monthly->item(1, 3)->text().startsWith("-"));
    EXPECT_GT(find<QTableWidget>("WeeklyAverages")->rowCount(), 8);

    // Only relabelled: the numbers stay as typed.
    messages.queueAnswer(Answer::No);
    saveUnits(2, false, "170");
    EXPECT_EQ(messages.texts().size(), 1) << messages.texts().join('|').toStdString();
    EXPECT_TRUE(text("TrendWeight").endsWith(" kg"));
    EXPECT_TRUE(text("BodyMassIndex").startsWith("BMI ")) << text("BodyMassIndex").toStdString();
    EXPECT_TRUE(text("BodyMassIndex").contains("30 or more"));
    EXPECT_EQ(find<LineChart>("Chart2D1")->yAxisTitle(), "Weight (kg)");
    EXPECT_EQ(folder.read("Ann.Fil"), annBytes);
    EXPECT_TRUE(folder.exists("Halvorn.ini"));

    // The units come back with the person; stones show beside pounds.
    screen.reset();
    openAnn();
    EXPECT_TRUE(text("TrendWeight").endsWith(" kg"));
    messages.queueAnswer(Answer::No);
    saveUnits(1, true, "66");
    EXPECT_TRUE(text("TrendWeight").contains(" lb (14 st ")) << text("TrendWeight").toStdString();
    EXPECT_EQ(folder.read("Ann.Fil"), annBytes);
}

TEST_F(WeightTrendScreenTest, UnreadableSettingsAndBadHeightsAreSaidAndNothingIsWritten)
{
    ASSERT_TRUE(QDir(folder.path()).mkdir("Halvorn.ini"));
    openAnn();
    EXPECT_TRUE(messages.texts().isEmpty());
    // No unit could be read: none is named.
    EXPECT_TRUE(text("TrendWeight").startsWith("Trend Weight: "));
    EXPECT_FALSE(text("TrendWeight").contains(" lb"));
    find<QAction>("mOAvg")->trigger();
    EXPECT_TRUE(find<QLabel>("UnitsProblem")->isVisible());
    EXPECT_TRUE(text("UnitsProblem").contains("Halvorn.ini"));

    saveUnits(1, false, "70");
    ASSERT_EQ(messages.texts().size(), 1);
    EXPECT_EQ(messages.last().icon, MessageService::Icon::Critical);
    EXPECT_TRUE(messages.last().text.contains("Halvorn.ini")) << messages.last().text.toStdString();
    EXPECT_FALSE(text("TrendWeight").contains(" lb"));

    messages.clear();
    saveUnits(1, false, "tall");
    ASSERT_EQ(messages.texts().size(), 1);
    EXPECT_EQ(messages.last().icon, MessageService::Icon::Exclamation);
    EXPECT_EQ(folder.read("Ann.Fil"), annBytes);
}
