#include "storage/Windows1252.h"

#include <gtest/gtest.h>

TEST(Windows1252Test, EveryByteSurvivesDecodeThenEncode)
{
    QByteArray all;
    for (int byte = 0; byte < 256; ++byte)
        all.append(char(byte));

    const QString text = Windows1252::decode(all);

    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(Windows1252::encode(text), all);
}

TEST(Windows1252Test, MapsTheCodePageCharactersBothWays)
{
    struct Case {
        char16_t character;
        unsigned char byte;
    };
    const Case cases[] = {
        { u'A', 0x41 },
        { u'\u20AC', 0x80 }, // euro sign
        { u'\u201A', 0x82 },
        { u'\u2026', 0x85 },
        { u'\u0160', 0x8A },
        { u'\u2019', 0x92 },
        { u'\u2122', 0x99 },
        { u'\u0178', 0x9F },
        { u'\u0081', 0x81 }, // undefined bytes keep their number
        { u'\u009D', 0x9D },
        { u'\u00A0', 0xA0 },
        { u'\u00E9', 0xE9 }, // e acute
        { u'\u00FF', 0xFF },
    };
    for (const Case& c : cases) {
        const QString text(QChar(c.character));
        const QByteArray bytes(1, char(c.byte));
        EXPECT_EQ(Windows1252::encode(text), bytes) << int(c.character);
        EXPECT_EQ(Windows1252::decode(bytes), text) << int(c.byte);
    }
}

TEST(Windows1252Test, StoresAnUnrepresentableCharacterAsQuestionMark)
{
    // U+0080 is a control the code page puts the euro sign in place of; a
    // character beyond the Basic Multilingual Plane is one "?", not two.
    EXPECT_EQ(Windows1252::encode(u"a\u0100b\u0080c\U0001F600d"), QByteArray("a?b?c?d"));
    // A lone surrogate half is no character either.
    EXPECT_EQ(Windows1252::encode(QString(QChar(0xD800))), QByteArray("?"));
}
