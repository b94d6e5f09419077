#include "storage/StoredDate.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace {

TEST(StoredDateTest, LongAndShortTexts)
{
    struct Case {
        QDate date;
        const char* longText;
        const char* shortText;
    };
    const Case cases[] = {
        { QDate(2013, 2, 20), "February 20, 2013", "Feb-20-13" },
        { QDate(2012, 3, 5), "March 05, 2012", "Mar-05-12" },
        { QDate(1999, 12, 31), "December 31, 1999", "Dec-31-99" },
        { QDate(2000, 1, 1), "January 01, 2000", "Jan-01-00" },
        { QDate(2024, 9, 9), "September 09, 2024", "Sep-09-24" },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StoredDate::longText(c.date), QString::fromLatin1(c.longText));
        EXPECT_EQ(StoredDate::shortText(c.date), QString::fromLatin1(c.shortText));
        EXPECT_EQ(StoredDate::parse(QString::fromLatin1(c.longText)), c.date) << c.longText;
        EXPECT_EQ(StoredDate::parse(QString::fromLatin1(c.shortText)), c.date) << c.shortText;
    }
    EXPECT_EQ(StoredDate::longText(QDate()), QString());
}

TEST(StoredDateTest, MonthNamesStayEnglishWhateverTheDesktopLanguage)
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QString longText = StoredDate::longText(QDate(2013, 3, 5));
    const QString shortText = StoredDate::shortText(QDate(2013, 3, 5));
    const QDate read = StoredDate::parse(QStringLiteral("March 05, 2013"));
    QLocale::setDefault(previous);

    EXPECT_EQ(longText, QStringLiteral("March 05, 2013"));
    EXPECT_EQ(shortText, QStringLiteral("Mar-05-13"));
    EXPECT_EQ(read, QDate(2013, 3, 5));
}

TEST(StoredDateTest, EveryMonthReadsBack)
{
    for (int month = 1; month <= 12; ++month) {
        const QDate date(2011, month, 28);
        EXPECT_EQ(StoredDate::parse(StoredDate::longText(date)), date);
        EXPECT_EQ(StoredDate::parse(StoredDate::shortText(date)), date);
    }
}

TEST(StoredDateTest, ParseAcceptsHandWrittenFormsAndRefusesTheRest)
{
    struct Case {
        const char* text;
        QDate expected;
    };
    const Case cases[] = {
        { "  february 20, 2013 ", QDate(2013, 2, 20) },
        { "Feb 20 2013", QDate(2013, 2, 20) },
        { "March 5, 2012", QDate(2012, 3, 5) },
        { "03/05/2012", QDate(2012, 3, 5) },
        { "2012-03-05", QDate(2012, 3, 5) },
        { "Mar-05-29", QDate(2029, 3, 5) },
        { "Mar-05-30", QDate(1930, 3, 5) },
        { "February 30, 2013", QDate() },
        { "Smarch 05, 2012", QDate() },
        { "13/01/2012", QDate() },
        { "N/A", QDate() },
        { "", QDate() },
    };
    for (const Case& c : cases)
        EXPECT_EQ(StoredDate::parse(QString::fromLatin1(c.text)), c.expected) << c.text;
}

TEST(StoredDateTest, GraphLabelKeepsTextThatIsNotADate)
{
    EXPECT_EQ(
        StoredDate::toShortText(QStringLiteral("February 20, 2013")), QStringLiteral("Feb-20-13"));
    EXPECT_EQ(
        StoredDate::toShortText(QStringLiteral("last Tuesday")), QStringLiteral("last Tuesday"));
}

} // namespace
