#include "SourceLogText.h"

#include "logimport/AppleHealthXmlReader.h"
#include "logimport/GarminCsvReader.h"
#include "logimport/OpenScaleCsvReader.h"
#include "logimport/SamsungHealthCsvReader.h"
#include "logimport/WithingsCsvReader.h"

#include <QBuffer>

#include <gtest/gtest.h>

namespace {

// A row without a weight is of another kind (a waist measured alone) and
// only counted; 30 February is refused, quoting its line.
TEST(OpenScaleCsvReader, ReadsBothDateFormsAndDecimalCommasAndRefusesBadRowsByLine)
{
    const SourceLog log = OpenScaleCsvReader::read(fixture("openscale.csv"));
    ASSERT_FALSE(log.failed()) << log.error.toStdString();
    EXPECT_EQ(weighInLines(log),
        QStringList({ "2: 2023-01-15 07:30 80.4 kg", "3: 2023-01-16 07:45 80.1 kg" }));
    EXPECT_EQ(log.skipped, QList<SkippedLines>({ { "rows without a weight", 1 } }));
    ASSERT_EQ(refusedLines(log), QList<int>({ 5 }));
    EXPECT_EQ(log.refused.at(0).reason,
        "the \"dateTime\" column holds \"2023-02-30 07:20\", not a date and time such as "
        "2023-01-15 07:30; the line reads "
        "\"2023-02-30 07:20,79.9,0.0,0.0,0.0,0.0,0.0,0.0,0.0,0.0,0.0,0....\"");
}

// Version 2 with every column and the stray values some versions leave
// after the table; version 3 with capitals, split columns and
// milliseconds, and a tape measurement without a weight.
TEST(OpenScaleCsvReader, ReadsBothLayoutsOfTheApp)
{
    const SourceLog two = OpenScaleCsvReader::read(fixture("openscale-2.csv"));
    ASSERT_FALSE(two.failed()) << two.error.toStdString();
    EXPECT_EQ(weighInLines(two),
        QStringList({ "2: 2024-03-03 21:48 78.45 kg", "3: 2024-03-02 07:05 78.9 kg",
            "4: 2024-03-02 06:58 79.05 kg", "5: 2024-03-01 07:10 79.3 kg" }));
    EXPECT_TRUE(two.refused.isEmpty());
    EXPECT_EQ(two.skipped, QList<SkippedLines>({ { "lines that are not rows of the table", 2 } }));

    const SourceLog three = OpenScaleCsvReader::read(fixture("openscale-3.csv"));
    ASSERT_FALSE(three.failed()) << three.error.toStdString();
    EXPECT_EQ(weighInLines(three),
        QStringList({ "2: 2025-04-07 20:30 72.5 kg", "3: 2025-04-06 08:30 72.9 kg",
            "4: 2025-04-05 08:30 73.15 kg" }));
    EXPECT_EQ(three.weighIns.at(0).time, QTime(20, 30, 13, 974));
    EXPECT_TRUE(three.refused.isEmpty());
    EXPECT_EQ(three.skipped, QList<SkippedLines>({ { "rows without a weight", 1 } }));
}

TEST(OpenScaleCsvReader, NamesTheMissingColumn)
{
    const SourceLog log
        = OpenScaleCsvReader::read("\"dateTime\",\"fat\"\n\"2023-01-15 07:30\",\"20\"\n");
    EXPECT_EQ(log.error, "line 1: the header has no \"weight\" column");
    EXPECT_TRUE(log.weighIns.isEmpty());
}

// The fixture has a byte-order mark, CR LF line ends, a blank line and a
// quoted comment holding a comma.
TEST(WithingsCsvReader, ReadsWeightsWithTheirUnitFromTheHeader)
{
    const SourceLog log = WithingsCsvReader::readWeight(fixture("withings-weight.csv"));
    ASSERT_FALSE(log.failed()) << log.error.toStdString();
    EXPECT_EQ(weighInLines(log),
        QStringList({ "2: 2023-01-15 07:30 80.4 kg", "3: 2023-01-15 19:02 81 kg",
            "5: 2023-01-16 07:31 80.2 kg" }));
    EXPECT_TRUE(log.refused.isEmpty());

    const SourceLog pounds
        = WithingsCsvReader::readWeight("Date,\"Weight (lb)\"\n\"2023-01-15 07:30:12\",177.2\n");
    EXPECT_EQ(weighInLines(pounds), QStringList({ "2: 2023-01-15 07:30 177.2 lb" }));
}

TEST(WithingsCsvReader, ReadsReadingsWithAnOptionalHeartRate)
{
    const SourceLog log = WithingsCsvReader::readBloodPressure(fixture("withings-bp.csv"));
    ASSERT_FALSE(log.failed()) << log.error.toStdString();
    EXPECT_EQ(readingLines(log),
        QStringList({ "2: 2023-01-15 07:35 128/82 64", "3: 2023-01-15 21:10 135/88 -" }));
    ASSERT_EQ(log.refused.size(), 1);
    EXPECT_EQ(log.refused.at(0),
        RefusedLine({ 4,
            "the \"Systolic\" column holds \"abc\", not a number; the line reads "
            "\"2023-01-16 07:40:00,70,abc,80,\"" }));
}

// A pulse taken alone, and a comment without a reading, hold no blood
// pressure: counted, never refused.
TEST(WithingsCsvReader, SkipsAndCountsRowsWithoutABloodPressure)
{
    const SourceLog log = WithingsCsvReader::readBloodPressure(fixture("withings-bp-pulse.csv"));
    ASSERT_FALSE(log.failed()) << log.error.toStdString();
    EXPECT_EQ(readingLines(log),
        QStringList({ "2: 2023-06-02 07:31 121/78 63", "5: 2023-06-01 07:29 119/77 65" }));
    EXPECT_TRUE(log.refused.isEmpty());
    EXPECT_EQ(log.skipped, QList<SkippedLines>({ { "rows without a blood pressure", 3 } }));

    // One pressure of the two is still a reading that cannot be read.
    const SourceLog half = WithingsCsvReader::readBloodPressure(
        "Date,Heart rate,Systolic,Diastolic\n\"2023-06-02 07:31:02\",63,121,\n");
    EXPECT_EQ(refusedLines(half), QList<int>({ 2 }));
    EXPECT_TRUE(half.refused.at(0).reason.startsWith("the \"Diastolic\" column is empty"));
}

// Each language's headings from the table, the same reader for all.
TEST(WithingsCsvReader, ReadsTheHeadingsOfEachLanguage)
{
    const SourceLog weight = WithingsCsvReader::readWeight(fixture("withings-weight-de.csv"));
    ASSERT_FALSE(weight.failed()) << weight.error.toStdString();
    EXPECT_EQ(weighInLines(weight),
        QStringList({ "2: 2024-01-06 07:02 81.3 kg", "3: 2024-01-05 06:55 81.7 kg" }));
    EXPECT_EQ(weight.skipped, QList<SkippedLines>({ { "rows without a weight", 1 } }));

    const SourceLog german = WithingsCsvReader::readBloodPressure(fixture("withings-bp-de.csv"));
    ASSERT_FALSE(german.failed()) << german.error.toStdString();
    EXPECT_EQ(readingLines(german),
        QStringList({ "2: 2024-01-06 07:10 124/79 62", "4: 2024-01-05 21:40 131/84 -" }));
    EXPECT_EQ(german.skipped, QList<SkippedLines>({ { "rows without a blood pressure", 1 } }));

    const SourceLog french = WithingsCsvReader::readBloodPressure(fixture("withings-bp-fr.csv"));
    ASSERT_FALSE(french.failed()) << french.error.toStdString();
    EXPECT_EQ(readingLines(french),
        QStringList({ "2: 2024-02-10 08:01 118/76 66", "3: 2024-02-09 22:15 127/81 69" }));

    const SourceLog unknown = WithingsCsvReader::readWeight("Fecha,Masa (kg)\n");
    EXPECT_TRUE(unknown.error.startsWith("line 1: the header has no \"Date\" and \"Weight (kg)\""))
        << unknown.error.toStdString();
}

TEST(GarminCsvReader, TakesEachDayFromTheLineBeforeItsWeighIns)
{
    const SourceLog log = GarminCsvReader::read(fixture("garmin-weight.csv"));
    ASSERT_FALSE(log.failed()) << log.error.toStdString();
    EXPECT_EQ(weighInLines(log),
        QStringList({ "3: 2023-01-16 07:28 80.2 kg", "5: 2023-01-15 07:30 80.4 kg",
            "6: 2023-01-15 18:10 177.5 lb" }));
    // "--" where the weight belongs: a row without one.
    EXPECT_TRUE(log.refused.isEmpty());
    EXPECT_EQ(log.skipped, QList<SkippedLines>({ { "rows without a weight", 1 } }));
}

// An account set to day-first dates and a 24-hour clock, British "Sept"
// included.
TEST(GarminCsvReader, ReadsDayFirstDatesAndTwentyFourHourTimes)
{
    const SourceLog log = GarminCsvReader::read(fixture("garmin-weight-dayfirst.csv"));
    ASSERT_FALSE(log.failed()) << log.error.toStdString();
    EXPECT_EQ(weighInLines(log),
        QStringList({ "3: 2023-09-21 07:12 78.2 kg", "4: 2023-09-21 19:45 78.6 kg",
            "6: 2023-09-20 06:58 78.5 kg", "8: 2023-09-09 07:05 79 kg" }));
    EXPECT_TRUE(log.refused.isEmpty());
}

// Each message names what it read and what it expected.
TEST(GarminCsvReader, NamesTheLineAndWhatWasExpected)
{
    const SourceLog undated = GarminCsvReader::read("Time,Weight\n07:28 AM,80.2 kg\n");
    EXPECT_EQ(undated.refused,
        QList<RefusedLine>({ { 2,
            "no day line such as \"Sep 21, 2023\" comes before this weigh-in; the line reads "
            "\"07:28 AM,80.2 kg\"" } }));

    const SourceLog misdated
        = GarminCsvReader::read("Time,Weight\n\" 31 Sep 2023\",\n07:28,80.2 kg\n");
    EXPECT_EQ(misdated.refused,
        QList<RefusedLine>({ { 2,
                                 "the day line holds \"31 Sep 2023\", not a date such as "
                                 "\"Sep 21, 2023\" or \"21 Sep 2023\"" },
            { 3,
                "the day line before it, line 2, could not be read; the line reads "
                "\"07:28,80.2 kg\"" } }));
}

// start_time is in UTC: the local time is moved by the row's offset, across
// midnight when it must be.
TEST(SamsungHealthCsvReader, SkipsTheMetadataLineAndAppliesTheTimeOffset)
{
    const SourceLog log = SamsungHealthCsvReader::read(fixture("samsung-weight.csv"));
    ASSERT_FALSE(log.failed()) << log.error.toStdString();
    EXPECT_EQ(weighInLines(log),
        QStringList({ "3: 2023-01-15 07:30 80.4 kg", "4: 2023-01-17 00:45 80.2 kg" }));
    EXPECT_TRUE(log.refused.isEmpty());
    EXPECT_EQ(log.skipped, QList<SkippedLines>({ { "rows without a weight", 1 } }));

    const SourceLog prefixed = SamsungHealthCsvReader::read(
        "com.samsung.health.weight,6315005,3\n"
        "com.samsung.health.weight.start_time,com.samsung.health.weight.weight\n"
        "2023-01-15 07:30:00.000,80.4\n");
    EXPECT_EQ(weighInLines(prefixed), QStringList({ "3: 2023-01-15 07:30 80.4 kg" }));
}

SourceLog readApple(const QByteArray& bytes)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return AppleHealthXmlReader::read(buffer);
}

// Times stay as written in their own zone (23:30 at -0800 is still the
// 15th); heart rates are matched by the instant, so 13:36:30 +0100 is 90
// seconds after 07:35 -0500 and 07:35 +0000 is five hours away from it.
// The systolic and diastolic records listed outside their correlation do
// not make a second reading.
TEST(AppleHealthXmlReader, ReadsWeighInsAndReadingsWithTheirPulse)
{
    const SourceLog log = readApple(fixture("apple-export.xml"));
    ASSERT_FALSE(log.failed()) << log.error.toStdString();
    EXPECT_EQ(weighInLines(log),
        QStringList({ "20: 2023-01-15 07:30 177.2 lb", "21: 2023-01-15 23:30 80.1 kg" }));
    EXPECT_EQ(readingLines(log),
        QStringList({ "31: 2023-01-15 07:35 128/82 66", "36: 2023-01-16 20:00 135/88 -" }));
    EXPECT_EQ(refusedLines(log), QList<int>({ 24, 40 }));
    EXPECT_EQ(log.refused.at(0).reason,
        "the startDate attribute holds \"January 16\", not a date such as "
        "2023-01-15 07:30:00 -0500");
    EXPECT_EQ(log.refused.at(1).reason, "the blood-pressure reading has no diastolic value");
    EXPECT_EQ(log.skipped, QList<SkippedLines>({ { "records of other kinds", 1 } }));
}

// Export Version 14 declares its whole DOCTYPE, over 7 KB, before the
// first element.
TEST(AppleHealthXmlReader, ReadsAnExportWithALongDoctype)
{
    const SourceLog log = readApple(fixture("apple-export-v14.xml"));
    ASSERT_FALSE(log.failed()) << log.error.toStdString();
    EXPECT_EQ(weighInLines(log),
        QStringList({ "225: 2024-05-18 07:14 64.3 kg", "226: 2024-05-19 06:48 64.05 kg" }));
    EXPECT_EQ(readingLines(log), QStringList({ "233: 2024-05-19 07:31 122/79 67" }));
    EXPECT_EQ(log.skipped, QList<SkippedLines>({ { "records of other kinds", 1 } }));
}

TEST(AppleHealthXmlReader, RefusesATruncatedFileWhole)
{
    const QByteArray whole = fixture("apple-export.xml");
    const SourceLog log = readApple(whole.left(whole.indexOf("<Correlation") + 40));
    EXPECT_EQ(log.error, "line 31: the file ends early; export it again");
    EXPECT_TRUE(log.weighIns.isEmpty());
    EXPECT_TRUE(log.readings.isEmpty());
}

} // namespace
