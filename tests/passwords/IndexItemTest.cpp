#include "passwords/IndexItem.h"

#include <gtest/gtest.h>

TEST(IndexItemTest, NameIsPaddedTo110CharactersThenTheRecordNumber)
{
    const QString item = IndexItem::build(QStringLiteral("Bank"), 12).text();

    EXPECT_EQ(item.size(), 112);
    EXPECT_EQ(item, QStringLiteral("Bank") + QString(106, u' ') + QStringLiteral("12"));
}

TEST(IndexItemTest, BuildKeepsTheNameAsTypedAndWritesTheNumberWithoutPadding)
{
    EXPECT_EQ(IndexItem::build(QStringLiteral("  Bank"), 1).text(),
        QStringLiteral("  Bank") + QString(104, u' ') + QStringLiteral("1"));
    EXPECT_EQ(
        IndexItem::build(QStringLiteral("x"), 10000).text().right(6), QStringLiteral(" 10000"));
}

struct ReadCase {
    const char* what;
    QString item;
    QString name;
    int recordNumber;
};

TEST(IndexItemTest, NameComesFromTheFirst100AndTheNumberFromTheLast6Characters)
{
    const QString hundred = QString(99, u'w') + QStringLiteral("Z");
    const ReadCase cases[] = {
        { "four-character name", IndexItem::build("Bank", 12).text(), "Bank", 12 },
        { "100-character name", IndexItem::build(hundred, 10000).text(), hundred, 10000 },
        { "leading blanks stay", IndexItem::build("  Bank", 3).text(), "  Bank", 3 },
        { "trailing blanks go", IndexItem::build("Bank  ", 3).text(), "Bank", 3 },
        { "commas are part of the name", IndexItem::build("Bank, savings, 2", 7).text(),
            "Bank, savings, 2", 7 },
        { "short item", " 12", " 12", 12 },
        { "letters before the digits", "ab 12", "ab 12", 0 },
        { "no digits at the end", QString(110, u'x') + "abcdef", QString(100, u'x'), 0 },
        { "digits stop at the first other character", QString(110, u'x') + "  12ab",
            QString(100, u'x'), 12 },
        { "empty item", "", "", 0 },
    };
    for (const ReadCase& c : cases) {
        const IndexItem item(c.item);
        EXPECT_EQ(item.name(), c.name) << c.what;
        EXPECT_EQ(item.recordNumber(), c.recordNumber) << c.what;
    }
}
