#include "weight/ShrinkToFit.h"

#include <gtest/gtest.h>

namespace {

TEST(ShrinkToFitTest, ReducesInStepsOfAFallingFactor)
{
    struct Case {
        const char* name;
        QSizeF natural;
        double heightBound;
        double widthBound;
        QSizeF expected;
    };
    // The expected sizes are the natural ones times the product of the
    // factors 1, 0.999, 0.998 ... up to the first that brings both sides
    // within their bounds.
    const Case cases[] = {
        { "within both bounds", { 1500, 1200 }, 2000, 2000, { 1500, 1200 } },
        { "exactly on the bounds", { 2000, 1000 }, 1000, 2000, { 2000, 1000 } },
        // 48 steps: the width ends well below its bound.
        { "wide", { 3000, 1500 }, 2000, 1000, { 953.4347186067, 476.7173593034 } },
        { "square starts with the height", { 1500, 1500 }, 1000, 3000,
            { 995.5620821790, 995.5620821790 } },
        // The height phase stops at 1500; the width phase goes on with the
        // factor where it was, not from 1 again.
        { "tall, then too wide", { 1900, 2000 }, 1500, 1000, { 968.1189821333, 1019.0726127718 } },
        // A 3000 by 2000 pixel photo at 96 DPI into a picture's place.
        { "very large", { 45000, 30000 }, 2520, 2880, { 2820.5824539272, 1880.3883026181 } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QSizeF result = ShrinkToFit(c.natural, c.heightBound, c.widthBound);
        EXPECT_NEAR(result.width(), c.expected.width(), 1e-6);
        EXPECT_NEAR(result.height(), c.expected.height(), 1e-6);
    }
}

TEST(ShrinkToFitTest, BoundsOfNothingEndWithoutNegativeSizes)
{
    for (double bound : { 0.0, -50.0 }) {
        SCOPED_TRACE(bound);
        const QSizeF result = ShrinkToFit({ 3000, 2000 }, bound, bound);
        EXPECT_GE(result.width(), 0.0);
        EXPECT_GE(result.height(), 0.0);
        EXPECT_LT(result.width(), 1e-6);
    }
}

} // namespace
