#include "screens/MonthCalendar.h"
#include "screens/Twips.h"

#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

TEST(MonthCalendarTest, ShowsAtAPlaceInTwipsWithTheDateSet)
{
    QWidget screen;
    screen.resize(800, 600);
    MonthCalendar calendar(&screen);
    calendar.hide();
    screen.show();

    calendar.setDate(QDate(2013, 2, 20));
    calendar.setDate(QDate());
    EXPECT_EQ(calendar.date(), QDate(2013, 2, 20));

    calendar.showAtTwips(1920, 1440);
    EXPECT_TRUE(calendar.isVisible());
    EXPECT_EQ(calendar.pos(), Twips::toPixels(QPoint(1920, 1440), &calendar));
    EXPECT_NEAR(calendar.sizeInTwips().width(), Twips::fromPixelsX(calendar.width(), &calendar), 1);
}

// The calendar's day table, with the cell of a date made current.
QPoint dayCentre(MonthCalendar& calendar, const QDate& date)
{
    auto* days = calendar.findChild<QTableView*>();
    calendar.setSelectedDate(date);
    return days->visualRect(days->currentIndex()).center();
}

TEST(MonthCalendarTest, AClickOrEnterOnADayPicksIt)
{
    MonthCalendar calendar;
    calendar.setDate(QDate(2013, 2, 20));
    calendar.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&calendar));
    QSignalSpy picked(&calendar, &MonthCalendar::datePicked);
    auto* days = calendar.findChild<QTableView*>();
    ASSERT_NE(days, nullptr);

    QTest::mouseClick(
        days->viewport(), Qt::LeftButton, {}, dayCentre(calendar, QDate(2013, 2, 21)));
    ASSERT_EQ(picked.count(), 1);
    EXPECT_EQ(picked[0][0].toDate(), QDate(2013, 2, 21));

    QTest::keyClick(days, Qt::Key_Right);
    QTest::keyClick(days, Qt::Key_Return);
    ASSERT_EQ(picked.count(), 2);
    EXPECT_EQ(picked[1][0].toDate(), QDate(2013, 2, 22));
}

TEST(MonthCalendarTest, ADoubleClickIsOnePick)
{
    MonthCalendar calendar;
    calendar.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&calendar));
    QSignalSpy picked(&calendar, &MonthCalendar::datePicked);
    auto* days = calendar.findChild<QTableView*>();
    const QPoint day = dayCentre(calendar, QDate(2013, 2, 12));
    QTest::mouseClick(days->viewport(), Qt::LeftButton, {}, day);
    QTest::mouseDClick(days->viewport(), Qt::LeftButton, {}, day);
    ASSERT_EQ(picked.count(), 1);
    EXPECT_EQ(picked[0][0].toDate(), QDate(2013, 2, 12));
}

} // namespace
