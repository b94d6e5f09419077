#include "storage/DisplayFormat.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* format;
    const char* stored;
    const char* shown;
};

void PrintTo(const Case& c, std::ostream* os)
{
    *os << c.format << " shows '" << c.stored << "' as '" << c.shown << "'";
}

class DisplayFormatTest : public testing::TestWithParam<Case>
{
};

TEST_P(DisplayFormatTest, ShowsTheStoredTextUnderTheFormat)
{
    const Case& c = GetParam();
    EXPECT_EQ(DisplayFormat::apply(QString::fromUtf8(c.format), QString::fromUtf8(c.stored)),
        QString::fromUtf8(c.shown));
}

INSTANTIATE_TEST_SUITE_P(Formats, DisplayFormatTest,
    testing::Values(
        // The log's weights and differences.
        Case { "###.#", "183", "183." }, Case { "###.#", "16.25", "16.3" },
        Case { "###.#", "0.5", ".5" }, Case { "###.#", "-1.199997", "-1.2" },
        Case { "###.#", "0", "." }, Case { "###.#", "-0.04", "." },
        Case { "###.#", " 183.5 ", "183.5" }, Case { "###.#", "199.96", "200." },
        // Pressures and times of the blood-pressure log.
        Case { "###", "120", "120" }, Case { "###", "119.5", "120" }, Case { "###", "0", "" },
        Case { "###", "7:05 AM", "7:05 AM" },
        // Text that is not a number, and no format.
        Case { "###.#", "N/A", "N/A" }, Case { "###.#", "", "" },
        Case { "###.#", "180,5", "180,5" }, Case { "", "16.25", "16.25" }));

} // namespace
