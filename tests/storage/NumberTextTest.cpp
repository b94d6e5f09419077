#include "storage/NumberText.h"

#include <gtest/gtest.h>

#include <charconv>

namespace {

struct LeadingCase {
    const char* text;
    double expected;
};

TEST(NumberTextTest, LeadingNumberTakesTheNumberTheTextStartsWith)
{
    const LeadingCase cases[] = {
        { "120", 120 },
        { "  131 ", 131 },
        { "16.5", 16.5 },
        { "180,5", 180 }, // only "." is a decimal point
        { "+5", 5 },
        { "-1.2", -1.2 },
        { ".5", 0.5 },
        { "183.", 183 },
        { "12abc", 12 },
        { "1.5e2", 150 },
        { "7e", 7 },
        { "N/A", 0 },
        { "abc", 0 },
        { ".", 0 },
        { "-", 0 },
        { "", 0 },
    };
    for (const LeadingCase& c : cases)
        EXPECT_DOUBLE_EQ(NumberText::leadingNumber(QString::fromLatin1(c.text)), c.expected)
            << c.text;
}

TEST(NumberTextTest, ToNumberNeedsTheWholeTextToBeANumber)
{
    struct Case {
        const char* text;
        std::optional<double> expected;
    };
    const Case cases[] = {
        { "183", 183 },
        { " 183.5 ", 183.5 },
        { "+180", 180 },
        { "183.", 183 },
        { "-1.199997", -1.199997 },
        { "1.5e1", 15 },
        { "N/A", std::nullopt },
        { "", std::nullopt },
        { "  ", std::nullopt },
        { "19a", std::nullopt },
        { "180,5", std::nullopt },
        { "1 80", std::nullopt },
        { "1e999", std::nullopt },
    };
    for (const Case& c : cases)
        EXPECT_EQ(NumberText::toNumber(QString::fromLatin1(c.text)), c.expected) << c.text;
}

TEST(NumberTextTest, ToSingleRoundsToSinglePrecisionAndRefusesWhatDoesNotFit)
{
    EXPECT_EQ(NumberText::toSingle(QStringLiteral("198.8")), 198.8f);
    EXPECT_NE(double(*NumberText::toSingle(QStringLiteral("198.8"))), 198.8);
    EXPECT_EQ(NumberText::toSingle(QStringLiteral("1e300")), std::nullopt);
}

TEST(NumberTextTest, ShortestTextOfASinglePrecisionValue)
{
    struct Case {
        float value;
        const char* expected;
    };
    const Case cases[] = {
        { 198.8f - 200.0f, "-1.199997" },
        { 16.5f, "16.5" },
        { 0.5f, "0.5" },
        { 200.0f, "200" },
        { -0.0f, "0" },
        { 0.1f, "0.1" },
        // Round-tripping needs 8 digits here; at most 7 are written.
        { 1.0f / 3.0f, "0.3333333" },
        { 200.0f - 183.2f, "16.8" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(NumberText::shortestText(c.value), QString::fromLatin1(c.expected)) << c.expected;
}

} // namespace
