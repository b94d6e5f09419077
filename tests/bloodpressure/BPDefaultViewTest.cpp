#include "TrackerScreenDriver.h"

#include "bloodpressure/ui/BPTracker.h"
#include "screens/DataGrid.h"
#include "storage/StoredDate.h"

#include <QAbstractButton>
#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QMenu>
#include <QTableWidget>

#include <gtest/gtest.h>

namespace {

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

QString dated(int month, int day)
{
    return StoredDate::longText(QDate(2026, month, day));
}

// Ann's readings: one of each kind of day, with a prehypertension systolic.
class BPDefaultViewTest : public testing::Test
{
protected:
    TrackerScreenDriver driver { bloodPressureTrackerKind() };

    void SetUp() override
    {
        driver.storeIndividual("Ann",
            {
                { dated(5, 1), "7:00 AM", "125", "78", "70" },
                { dated(5, 2), "8:00 PM", "145", "82", "72" },
            });
    }

    // Opens the screen anew, as after a restart, with Ann on display.
    void openAnn()
    {
        driver.screen.reset();
        driver.open();
        driver.select("Ann");
    }
    bool shown(const char* name) const
    {
        return driver.find(QLatin1String(name))->isVisibleTo(driver.screen.get());
    }
    DataGrid* log() const { return driver.grid(); }
    bool logColoured() const
    {
        return log()->foreground(1, 3).isValid() || log()->foreground(2, 4).isValid();
    }
};

} // namespace

TEST_F(BPDefaultViewTest, TheOptionsMenuIsTheScreensOwnWithTheAdditionsAfterItUnticked)
{
    openAnn();
    EXPECT_EQ(itemsOf(driver.find<QMenu>("mO")),
        QStringList({
            "mOProg &Program Setup",
            "-",
            "mOBC &Grid Background Selector",
            "mOPC Panel C&olor",
            "mOGuideline G&uideline",
            "-",
            "mOCr &Create New File",
            "-",
            "mOV &View Exsisting File",
            "-",
            "mODel &Delete Displayed File",
            "mOP &Print Options",
            "mOS &Save",
            "-",
            "mOEx E&xit",
            "-",
            "mOLogColors Color the &Log by Category",
            "mOFigures &Morning, Evening and Home-Week Figures",
        }));
    for (const char* addition : { "mOLogColors", "mOFigures" }) {
        EXPECT_TRUE(driver.action(addition)->isCheckable()) << addition;
        EXPECT_FALSE(driver.action(addition)->isChecked()) << addition;
    }
    EXPECT_FALSE(driver.folder.exists("Halvorn.ini"));
}

TEST_F(BPDefaultViewTest, TheLogShowsWhatItAlwaysShowed)
{
    openAnn();
    const struct {
        const char* name;
        bool visible;
        const char* text;
    } controls[] = {
        { "Command2", true, "&View Existing File" },
        { "Command3", true, "View Blood Pressure Measurement Chart" },
        { "Command4", true, "View Measurements" },
        { "Command5", true, "&Graph Display" },
        { "Command7", true, "&Create New File" },
        { "Command8", true, "&Delete Displayed File" },
        { "Command9", true, "&Print Options" },
        { "Command10", true, "&Save" },
        { "Command1", true, "E&xit" },
        { "Label11", true, "Date of Reading" },
        { "Label9", true, "Time of Reading" },
        { "Label10", true, "Systolic Pressure" },
        { "Label23", true, "  Diastolic Pressure" },
        { "Label13", true, " Heart Rate (Pulse)" },
        { "SSCommand8", true, "&Add Additional Row" },
        { "SSCommand9", true, "Delete Selected Row" },
        { "Label6_0", true, "Averages:" },
        { "Label6_1", true, nullptr },
        { "Label6_2", true, nullptr },
        { "Label6_3", true, nullptr },
        { "LabelMorningEvening", false, nullptr },
        { "LabelGuideline", false, nullptr },
        { "CommandHomeWeek", false, nullptr },
        { "PanelHomeWeek", false, nullptr },
    };
    for (const auto& control : controls) {
        SCOPED_TRACE(control.name);
        EXPECT_EQ(shown(control.name), control.visible);
        if (!control.text)
            continue;
        const QWidget* widget = driver.find(QLatin1String(control.name));
        if (const auto* label = qobject_cast<const QLabel*>(widget))
            EXPECT_EQ(label->text(), control.text);
        else
            EXPECT_EQ(qobject_cast<const QAbstractButton*>(widget)->text(), control.text);
    }
    // The values keep the grid's own colour: only the chart and the report
    // colour by category.
    EXPECT_FALSE(logColoured());
}

TEST_F(BPDefaultViewTest, EachAdditionShowsOnceTickedAndStaysTickedAfterARestart)
{
    openAnn();
    const auto settle = [] {
        for (int pass = 0; pass < 5; ++pass)
            QCoreApplication::processEvents();
    };
    int heightWithFigures = 0;
    driver.action("mOLogColors")->trigger();
    driver.action("mOFigures")->trigger();
    for (int opening = 1; opening <= 2; ++opening) {
        SCOPED_TRACE(opening == 1 ? "ticked" : "after a restart");
        EXPECT_TRUE(driver.action("mOLogColors")->isChecked());
        EXPECT_TRUE(driver.action("mOFigures")->isChecked());
        // The program's own table: 125 prehypertension in orange.
        EXPECT_EQ(log()->foreground(1, 3), QColor(255, 128, 0));
        EXPECT_TRUE(shown("LabelMorningEvening"));
        EXPECT_TRUE(shown("LabelGuideline"));
        EXPECT_TRUE(shown("CommandHomeWeek"));
        settle();
        heightWithFigures = log()->view()->height();
        openAnn();
    }

    // Unticked, the colours go and the grid gets its rows back.
    driver.action("mOLogColors")->trigger();
    driver.action("mOFigures")->trigger();
    settle();
    EXPECT_FALSE(logColoured());
    EXPECT_FALSE(shown("CommandHomeWeek"));
    EXPECT_GT(log()->view()->height(), heightWithFigures);
    openAnn();
    EXPECT_FALSE(driver.action("mOFigures")->isChecked());
    EXPECT_FALSE(logColoured());
}
