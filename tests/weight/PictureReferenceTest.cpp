#include "weight/PictureReference.h"

#include <gtest/gtest.h>

namespace {

TEST(PictureReferenceTest, RefusesPathsTheWeightFileWouldChange)
{
    struct Case {
        const char* path;
        // Empty: stored as it is. Otherwise a word of the reason.
        const char* reason;
    };
    const Case cases[] = {
        { "/home/ann/Pictures/IMG_0001.JPG", "" },
        { "/home/ann/Bilder/Gr\u00fc\u00dfe \u20ac, 100% (1).jpg", "" },
        { "/home/ann/Say \"cheese\"/smile.jpg", "double quote" },
        { "/home/ann/\u5199\u771f/photo.jpg", "characters \u5199 \u771f" },
        { "/home/ann/\u0141\u00f3d\u017a.jpg", "characters \u0141 \u017a" },
        // One character outside the Basic Multilingual Plane, named whole.
        { "/home/ann/\U0001F600.jpg", "character \U0001F600," },
        { "/home/ann/photo.jpg ", "blank" },
    };
    for (const Case& c : cases) {
        const QString path = QString::fromUtf8(c.path);
        SCOPED_TRACE(c.path);
        const QString refusal = PictureReference::refusalFor(path);
        if (*c.reason == '\0') {
            EXPECT_EQ(refusal, QString());
            continue;
        }
        EXPECT_TRUE(refusal.contains(path)) << refusal.toStdString();
        EXPECT_TRUE(refusal.contains(QString::fromUtf8(c.reason))) << refusal.toStdString();
    }
}

} // namespace
