#include "weight/ProgressStatistics.h"

#include "storage/StoredDate.h"

#include <QDate>

#include <gtest/gtest.h>

namespace {

using Cell = ProgressStatistics::DerivedCell;
using Derived = QList<ProgressStatistics::DerivedRow>;

// Dated weigh-ins, one day apart; an empty weight stays empty.
QList<WeighIn> weighIns(const QStringList& weights)
{
    QList<WeighIn> rows;
    for (qsizetype i = 0; i < weights.size(); ++i)
        rows.append({ StoredDate::longText(QDate(2013, 2, 1).addDays(i)), weights[i] });
    return rows;
}

Derived recompute(const QList<WeighIn>& rows, const QString& beginning, Derived derived = {})
{
    ProgressStatistics::RecomputeDerivedColumns(rows, beginning, derived);
    return derived;
}

TEST(ProgressStatisticsTest, WorkedExampleTextsBoldMarksAndDisplay)
{
    const Derived derived = recompute(weighIns({ "200", "198.5", "199" }), QStringLiteral("200"));

    ASSERT_EQ(derived.size(), 3);
    EXPECT_EQ(derived[0].change.text, QStringLiteral("N/A"));
    EXPECT_EQ(derived[0].difference, (Cell { QStringLiteral("0"), false }));
    EXPECT_EQ(derived[1].change, (Cell { QStringLiteral("-1.5"), true }));
    EXPECT_EQ(derived[1].difference, (Cell { QStringLiteral("-1.5"), true }));
    EXPECT_EQ(derived[2].change, (Cell { QStringLiteral("0.5"), false }));
    EXPECT_EQ(derived[2].difference, (Cell { QStringLiteral("-1"), true }));

    const QStringList shown = {
        ProgressStatistics::displayText(derived[0].change.text),
        ProgressStatistics::displayText(derived[1].change.text),
        ProgressStatistics::displayText(derived[2].change.text),
        ProgressStatistics::displayText(derived[0].difference.text),
        ProgressStatistics::displayText(derived[1].difference.text),
        ProgressStatistics::displayText(derived[2].difference.text),
    };
    EXPECT_EQ(shown, (QStringList { "N/A", "-1.5", ".5", ".", "-1.5", "-1." }));
}

TEST(ProgressStatisticsTest, ArithmeticIsSinglePrecisionExceptThroughTheBeginningWeight)
{
    struct Case {
        const char* previous;
        const char* weight;
        const char* beginning;
        const char* change;
        const char* difference;
    };
    const Case cases[] = {
        // In double precision these would read -1.2.
        { "200", "198.8", "200", "-1.199997", "-1.199997" },
        // The beginning weight is taken in double precision: -1.6, where
        // single precision throughout would give -1.600006.
        { "200", "198.5", "200.1", "-1.5", "-1.6" },
        { "184", "183.2", "200", "-0.8000031", "-16.8" },
        { "150.3", "150.3", "150.4", "0", "-0.09999695" },
    };
    for (const Case& c : cases) {
        const Derived derived = recompute(weighIns({ c.previous, c.weight }), c.beginning);
        EXPECT_EQ(derived[1].change.text, QString::fromLatin1(c.change)) << c.weight;
        EXPECT_EQ(derived[1].difference.text, QString::fromLatin1(c.difference)) << c.weight;
    }
}

TEST(ProgressStatisticsTest, NoChangeKeepsTheCellsBoldness)
{
    for (const bool bold : { true, false }) {
        Derived before(3);
        before[2].change.bold = bold;
        before[2].difference.bold = bold;
        const Derived derived
            = recompute(weighIns({ "200", "199", "199" }), QStringLiteral("199"), before);
        EXPECT_EQ(derived[2].change, (Cell { QStringLiteral("0"), bold }));
        EXPECT_EQ(derived[2].difference, (Cell { QStringLiteral("0"), bold }));
    }
}

TEST(ProgressStatisticsTest, AGainClearsAnEarlierBoldMark)
{
    Derived before(2);
    before[1].change.bold = true;
    before[1].difference.bold = true;
    const Derived derived = recompute(weighIns({ "200", "201" }), QStringLiteral("200"), before);
    EXPECT_EQ(derived[1].change, (Cell { QStringLiteral("1"), false }));
    EXPECT_EQ(derived[1].difference, (Cell { QStringLiteral("1"), false }));
}

TEST(ProgressStatisticsTest, RowsWithoutAUsableWeightAreSkippedNotMeasuredFromZero)
{
    for (const char* unusable : { "", "  ", "19a", "N/A" }) {
        Derived before(3);
        before[1].change = { QStringLiteral("-3"), true }; // left from an earlier weight
        before[1].difference = { QStringLiteral("-3"), true };
        const Derived derived
            = recompute(weighIns({ "200", unusable, "190" }), QStringLiteral("200"), before);
        EXPECT_EQ(derived[1], ProgressStatistics::DerivedRow {}) << unusable;
        EXPECT_EQ(derived[2].change, (Cell { QStringLiteral("-10"), true })) << unusable;
        EXPECT_EQ(derived[2].difference, (Cell { QStringLiteral("-10"), true })) << unusable;
    }
}

TEST(ProgressStatisticsTest, FirstUsableWeightHasNoChange)
{
    const Derived derived = recompute(weighIns({ "", "200", "199" }), QStringLiteral("200"));
    EXPECT_EQ(derived[0].change.text, QStringLiteral("N/A"));
    EXPECT_EQ(derived[0].difference, Cell {});
    EXPECT_EQ(derived[1].change.text, QStringLiteral("N/A"));
    EXPECT_EQ(derived[2].change.text, QStringLiteral("-1"));
}

TEST(ProgressStatisticsTest, NoUsableBeginningWeightLeavesTheDifferencesEmpty)
{
    for (const char* beginning : { "", "abc" }) {
        const Derived derived
            = recompute(weighIns({ "200", "198" }), QString::fromLatin1(beginning));
        EXPECT_EQ(derived[0].difference, Cell {}) << beginning;
        EXPECT_EQ(derived[1].difference, Cell {}) << beginning;
        EXPECT_EQ(derived[1].change.text, QStringLiteral("-2")) << beginning;
    }
}

TEST(ProgressStatisticsTest, DerivedRowsFollowTheLogsLength)
{
    Derived derived(60);
    ProgressStatistics::RecomputeDerivedColumns(
        weighIns({ "200", "" }), QStringLiteral("200"), derived);
    EXPECT_EQ(derived.size(), 2);
    ProgressStatistics::RecomputeDerivedColumns({}, QStringLiteral("200"), derived);
    EXPECT_TRUE(derived.isEmpty());
}

struct TrendCase {
    QStringList weights;
    const char* beginning;
    const char* goal;
    const char* lastEntryIcon;
    const char* beginningIcon;
    bool goalReached;
};

TEST(ProgressStatisticsTest, TrendPicturesAndGoal)
{
    const TrendCase cases[] = {
        { { "200", "198.5", "199" }, "200", "150", "Sad1.ico", "1.ico", false },
        { { "200", "198" }, "200", "150", "2.ico", "1.ico", false },
        { { "200", "199" }, "200", "150", "1.ico", "1.ico", false },
        { { "200", "188" }, "200", "150", "2.ico", "2.ico", false },
        { { "200", "190" }, "200", "150", "2.ico", "2.ico", false }, // exactly 10 below
        { { "200", "190.5" }, "200", "150", "2.ico", "1.ico", false },
        { { "200", "201" }, "200", "150", "Sad1.ico", "Sad1.ico", false },
        { { "200" }, "200", "150", "Sad1.ico", "Sad1.ico", false },
        { { "160", "150" }, "200", "150", "2.ico", "2.ico", true },
        { { "160", "150" }, "200", " 150.5 ", "2.ico", "2.ico", true },
        { { "160", "150" }, "200", "", "2.ico", "2.ico", false },
        // A dated last weigh-in without a weight never counts as the goal.
        { { "200", "" }, "200", "150", "Sad1.ico", "Sad1.ico", false },
    };
    for (const TrendCase& c : cases) {
        const QList<WeighIn> rows = weighIns(c.weights);
        const auto trend = ProgressStatistics::UpdateTrendAndGoal(
            rows, recompute(rows, QString::fromLatin1(c.beginning)), QString::fromLatin1(c.goal));
        const QString what = c.weights.join(QLatin1Char('/')) + QStringLiteral(" goal ") + c.goal;
        EXPECT_EQ(trend.lastEntryIcon, QString::fromLatin1(c.lastEntryIcon)) << qPrintable(what);
        EXPECT_EQ(trend.beginningIcon, QString::fromLatin1(c.beginningIcon)) << qPrintable(what);
        EXPECT_EQ(trend.GoalReached, c.goalReached ? QStringLiteral("GOAL") : QString())
            << qPrintable(what);
        EXPECT_EQ(trend.goalMessageShown(), c.goalReached) << qPrintable(what);
    }
}

TEST(ProgressStatisticsTest, TrendComparesTheStoredChangeInSinglePrecision)
{
    // -1.4 as a single is just above -1.4 as a double; the trend still
    // counts it as a loss of 1.4.
    const QList<WeighIn> rows = weighIns({ "200", "198.6" });
    Derived derived(2);
    derived[1].change.text = QStringLiteral("-1.4");
    EXPECT_EQ(ProgressStatistics::UpdateTrendAndGoal(rows, derived, {}).lastEntryIcon,
        QStringLiteral("2.ico"));
    derived[1].change.text = QStringLiteral("-1.399");
    EXPECT_EQ(ProgressStatistics::UpdateTrendAndGoal(rows, derived, {}).lastEntryIcon,
        QStringLiteral("1.ico"));
}

TEST(ProgressStatisticsTest, TrendUsesTheRowAboveTheFirstUndatedRow)
{
    QList<WeighIn> rows = weighIns({ "200", "199", "100", "100" });
    rows[2].date = QStringLiteral("  ");
    const auto trend = ProgressStatistics::UpdateTrendAndGoal(
        rows, recompute(rows, "200"), QStringLiteral("150"));
    EXPECT_EQ(trend.lastEntryIcon, QStringLiteral("1.ico"));
    EXPECT_FALSE(trend.goalMessageShown());
}

TEST(ProgressStatisticsTest, NoPicturesWhenRowOneHasNoDate)
{
    QList<WeighIn> rows = weighIns({ "200", "140" });
    rows[0].date.clear();
    const auto trend = ProgressStatistics::UpdateTrendAndGoal(
        rows, recompute(rows, "200"), QStringLiteral("150"));
    EXPECT_EQ(trend, ProgressStatistics::TrendAndGoal {});
    EXPECT_EQ(ProgressStatistics::UpdateTrendAndGoal({}, {}, QStringLiteral("150")),
        ProgressStatistics::TrendAndGoal {});
}

TEST(ProgressStatisticsTest, DisplayFormat)
{
    const char* cases[][2] = {
        { "183", "183." },
        { "16.25", "16.3" },
        { "0.5", ".5" },
        { "-1.199997", "-1.2" },
        { "0", "." },
        { "-0.04", "." },
        { "1234.56", "1234.6" },
        { "+180", "180." },
        { "-16.8", "-16.8" },
        { "N/A", "N/A" },
        { "", "" },
        { "19a", "19a" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(
            ProgressStatistics::displayText(QString::fromLatin1(c[0])), QString::fromLatin1(c[1]))
            << c[0];
}

} // namespace
