#include "trackers/DatedRows.h"

#include <QString>

#include <gtest/gtest.h>

namespace {

struct Row {
    QString date;
};

TEST(DatedRowsTest, EntriesStopAtTheFirstRowWithoutADate)
{
    QList<Row> rows(10, Row { QStringLiteral("March 05, 2012") });
    EXPECT_EQ(DatedRows::count(rows), 10);
    rows[2].date = QStringLiteral("   ");
    EXPECT_EQ(DatedRows::count(rows), 2);
    rows[0].date.clear();
    EXPECT_EQ(DatedRows::count(rows), 0);
    EXPECT_EQ(DatedRows::count(QList<Row>()), 0);
}

TEST(DatedRowsTest, LatestEntries)
{
    struct Case {
        int entries;
        int limit;
        DatedRows::Span expected;
    };
    const Case cases[] = {
        { 49, 50, { 0, 49 } }, { 50, 50, { 0, 50 } },
        { 120, 50, { 70, 50 } }, // grid rows 71 to 120
        { 3, 5, { 0, 3 } }, { 70, 20, { 50, 20 } }, { 0, 50, { 0, 0 } },
        { 12, 0, { 0, 12 } }, // 0: every entry
    };
    for (const Case& c : cases)
        EXPECT_EQ(DatedRows::latest(c.entries, c.limit), c.expected) << c.entries << " " << c.limit;
}

} // namespace
