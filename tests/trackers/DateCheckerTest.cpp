#include "trackers/ui/DateChecker.h"
#include "screens/DataGrid.h"

#include "FakeClock.h"
#include "QtPrinting.h"
#include "ScriptedMessageService.h"
#include "TemporaryProgramFolder.h"

#include "storage/RecordFile.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>

#include <gtest/gtest.h>

namespace {

using Tracker = DateChecker::Tracker;

class DateCheckerTest : public testing::Test
{
protected:
    QString record(int number) const
    {
        RecordFile file(folder.filePath("GColor1.Fil"), 20);
        QString text;
        file.readText(number, text);
        return text;
    }

    TemporaryProgramFolder folder;
    ScriptedMessageService messages;
    FakeClock clock { QDateTime(QDate(2013, 2, 20), QTime(0, 0, 1)) };
};

TEST_F(DateCheckerTest, AFutureDateIsRefusedOnlyWhileTheCheckerIsOn)
{
    struct Case {
        const char* text;
        bool checkerOn;
        bool accepted;
    };
    const Case cases[] = {
        { "February 21, 2013", true, false },
        { "February 21, 2013", false, true },
        { "February 20, 2013", true, true },
        { "February 19, 2013", true, true },
        { "January 01, 2099", true, false },
        { "", true, true },
        { "   ", true, true },
        { "not a date", true, true },
    };
    for (const Case& c : cases) {
        messages.clear();
        DateChecker checker(Tracker::Weight, folder.folder(), messages, clock);
        if (checker.isOn() != c.checkerOn)
            checker.toggle();
        EXPECT_EQ(checker.accepts(QString::fromUtf8(c.text)), c.accepted) << c.text;
        if (c.accepted) {
            EXPECT_TRUE(messages.messages().isEmpty()) << c.text;
            continue;
        }
        ASSERT_EQ(messages.messages().size(), 1);
        const MessageService::Message shown = messages.last();
        EXPECT_EQ(shown.text, "The Date entry Cannot Exceed the Current Date!");
        EXPECT_EQ(shown.title, "Entry Error");
        EXPECT_EQ(shown.icon, MessageService::Icon::Information);
        EXPECT_EQ(shown.buttons, MessageService::Buttons::Ok);
    }
}

TEST_F(DateCheckerTest, TodayIsAcceptedAtAnyTimeOfDay)
{
    DateChecker checker(Tracker::BloodPressure, folder.folder(), messages, clock);
    for (const QTime time : { QTime(0, 0), QTime(12, 0), QTime(23, 59, 59) }) {
        clock.setNow(QDateTime(QDate(2013, 2, 20), time));
        EXPECT_TRUE(checker.accepts(QStringLiteral("February 20, 2013")));
        EXPECT_FALSE(checker.accepts(QStringLiteral("February 21, 2013")));
    }
}

TEST_F(DateCheckerTest, ARefusedDateEmptiesItsTarget)
{
    DateChecker checker(Tracker::Weight, folder.folder(), messages, clock);

    QLineEdit box;
    box.setText(QStringLiteral("February 21, 2013"));
    EXPECT_FALSE(checker.check(&box));
    EXPECT_EQ(box.text(), "");
    box.setText(QStringLiteral("February 20, 2013"));
    EXPECT_TRUE(checker.check(&box));
    EXPECT_EQ(box.text(), "February 20, 2013");

    DataGrid grid;
    grid.setRowCount(5);
    grid.setColumnCount(3);
    grid.setCurrentCell(2, 1);
    grid.setText(QStringLiteral("February 21, 2013"));
    EXPECT_FALSE(checker.check(grid));
    EXPECT_EQ(grid.text(2, 1), "");

    checker.toggle();
    grid.setText(QStringLiteral("February 21, 2013"));
    EXPECT_TRUE(checker.check(grid));
    EXPECT_EQ(grid.text(2, 1), "February 21, 2013");
}

TEST_F(DateCheckerTest, TheMenuItemTogglesAndStoresTheSwitchPerTracker)
{
    QMenu programSetup;
    DateChecker weight(Tracker::Weight, folder.folder(), messages, clock);
    weight.addTo(&programSetup);
    QAction* item = weight.menuAction();
    EXPECT_EQ(item->objectName(), "DisableDateChecker");
    EXPECT_EQ(item->text(), "Turn OFF Date Checker");

    item->trigger();
    EXPECT_EQ(item->text(), "Turn ON Date Checker");
    EXPECT_EQ(weight.dateCheckerState(), "OFF");
    EXPECT_EQ(record(83), "OFF");
    EXPECT_EQ(record(84), "");

    // The other tracker is unaffected, now and after a restart.
    DateChecker bloodPressure(Tracker::BloodPressure, folder.folder(), messages, clock);
    EXPECT_TRUE(bloodPressure.isOn());
    EXPECT_EQ(bloodPressure.menuAction()->text(), "Turn OFF Date Checker");

    // After a restart the weight tracker's item offers to turn it on again.
    DateChecker restarted(Tracker::Weight, folder.folder(), messages, clock);
    EXPECT_FALSE(restarted.isOn());
    EXPECT_EQ(restarted.menuAction()->text(), "Turn ON Date Checker");
    EXPECT_TRUE(restarted.accepts(QStringLiteral("February 21, 2013")));

    restarted.menuAction()->trigger();
    EXPECT_EQ(record(83), "");
    EXPECT_TRUE(DateChecker(Tracker::Weight, folder.folder(), messages, clock).isOn());
}

TEST_F(DateCheckerTest, OpeningTheMenuBringsTheCaptionUpToDate)
{
    QMenu programSetup;
    DateChecker checker(Tracker::BloodPressure, folder.folder(), messages, clock);
    checker.addTo(&programSetup);
    checker.menuAction()->setText(QStringLiteral("stale"));
    emit programSetup.aboutToShow();
    EXPECT_EQ(checker.menuAction()->text(), "Turn OFF Date Checker");
}

TEST_F(DateCheckerTest, StoredRecordsDecideTheSwitch)
{
    {
        RecordFile file(folder.filePath("GColor1.Fil"), 20);
        file.writeText(83, QStringLiteral("OFF"));
        file.writeText(84, QStringLiteral("ON"));
    }
    EXPECT_FALSE(DateChecker(Tracker::Weight, folder.folder(), messages, clock).isOn());
    EXPECT_TRUE(DateChecker(Tracker::BloodPressure, folder.folder(), messages, clock).isOn());
    // A damaged record leaves the checker on.
    QByteArray bytes = folder.read("GColor1.Fil");
    bytes[82 * 20] = char(0xFF);
    bytes[82 * 20 + 1] = char(0xFF);
    folder.write("GColor1.Fil", bytes);
    EXPECT_TRUE(DateChecker(Tracker::Weight, folder.folder(), messages, clock).isOn());
}

} // namespace
