#include "bloodpressure/ReadingPickLists.h"

#include <gtest/gtest.h>

namespace {

using Lists = ReadingPickLists;

TEST(ReadingPickLists, ListsCountDownWithTheirBlankAndMinutesEndAtZero)
{
    EXPECT_EQ(Lists::items(Lists::Hour).size(), 12);
    EXPECT_EQ(Lists::items(Lists::Hour).first(), " 12");
    EXPECT_EQ(Lists::items(Lists::Hour).last(), " 1");
    const QStringList& minutes = Lists::items(Lists::Minute);
    EXPECT_EQ(minutes.size(), 60);
    EXPECT_EQ(minutes.at(0), " 59");
    EXPECT_EQ(minutes.at(49), " 10");
    EXPECT_EQ(minutes.at(50), "09");
    EXPECT_EQ(minutes.at(58), "01");
    EXPECT_EQ(minutes.last(), "00");
    EXPECT_EQ(Lists::items(Lists::Systolic).size(), 251);
    EXPECT_EQ(Lists::items(Lists::Systolic).at(180), " 120");
    EXPECT_EQ(Lists::items(Lists::Diastolic).size(), 150);
    EXPECT_EQ(Lists::items(Lists::Diastolic).at(70), " 80");
    EXPECT_EQ(Lists::items(Lists::Pulse).at(80), " 70");
    EXPECT_EQ(Lists::items(Lists::Pulse).last(), " 1");
}

// What each list shows, as its trimmed item text ("" for no choice).
struct Shown {
    QString hour, minute;
    bool pm;
    QString systolic, diastolic, pulse;
};

Shown shownFor(const Reading& row, const QTime& now)
{
    const Lists::Preselection chosen = Lists::prepare(row, now);
    auto text = [&](Lists::List list) {
        const int item = chosen.item[list];
        return item < 0 ? QString() : Lists::items(list).at(item).trimmed();
    };
    return { text(Lists::Hour), text(Lists::Minute), chosen.pm, text(Lists::Systolic),
        text(Lists::Diastolic), text(Lists::Pulse) };
}

TEST(ReadingPickLists, PreselectionFromTheClockOrTheRowsOwnValues)
{
    struct Case {
        const char* name;
        Reading row;
        QTime now;
        Shown shown;
    };
    const QTime morning(9, 41);
    const Case cases[] = {
        { "empty row at 14:35", {}, QTime(14, 35), { "2", "35", true, "120", "80", "70" } },
        { "empty row at 7:05", {}, QTime(7, 5), { "7", "05", false, "120", "80", "70" } },
        { "noon is 12 PM", {}, QTime(12, 10), { "12", "10", true, "120", "80", "70" } },
        { "midnight is 12 AM", {}, QTime(0, 30), { "12", "30", false, "120", "80", "70" } },
        { "minute 0 is 00", {}, QTime(18, 0), { "6", "00", true, "120", "80", "70" } },
        { "row's own values", { "May 02, 2026", "9:07 AM", "135", "85", "72" }, morning,
            { "9", "07", false, "135", "85", "72" } },
        { "row at noon", { "", "12:00 PM", "300", "150", "1" }, morning,
            { "12", "00", true, "300", "150", "1" } },
        { "typed 14:30 preselects no hour", { "", "14:30", "", "", "" }, morning,
            { "", "30", true, "120", "80", "70" } },
        { "values outside the lists", { "", "0:75 AM", "400", "0", "abc" }, morning,
            { "", "", false, "", "", "" } },
        { "a fraction is not an item", { "", "7:05 AM", "120.5", " 81 ", "70" }, morning,
            { "7", "05", false, "", "81", "70" } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Shown shown = shownFor(c.row, c.now);
        EXPECT_EQ(shown.hour, c.shown.hour);
        EXPECT_EQ(shown.minute, c.shown.minute);
        EXPECT_EQ(shown.pm, c.shown.pm);
        EXPECT_EQ(shown.systolic, c.shown.systolic);
        EXPECT_EQ(shown.diastolic, c.shown.diastolic);
        EXPECT_EQ(shown.pulse, c.shown.pulse);
    }
}

TEST(ReadingPickLists, TimeTextIsHourColonMinuteAndTheHalfOfTheDay)
{
    EXPECT_EQ(Lists::timeText(" 7", "05", false), "7:05 AM");
    EXPECT_EQ(Lists::timeText(" 12", "00", true), "12:00 PM");
    EXPECT_EQ(Lists::timeText(" 2", " 35", true), "2:35 PM");
}

} // namespace
