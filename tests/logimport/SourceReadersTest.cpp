#include "SourceLogText.h"

#include "logimport/AppleHealthXmlReader.h"
#include "logimport/GarminCsvReader.h"
#include "logimport/OpenScaleCsvReader.h"
#include "logimport/SamsungHealthCsvReader.h"
#include "logimport/WithingsCsvReader.h"

#include <QBuffer>

#include <gtest/gtest.h>

namespace {

TEST(OpenScaleCsvReader, ReadsBothDateFormsAndDecimalCommasAndRefusesBadRowsByLine)
{
    const SourceLog log = OpenScaleCsvReader::read(fixture("openscale.csv"));
    ASSERT_FALSE(log.failed()) << log.error.toStdString();
    EXPECT_EQ(weighInLines(log),
        QStringList({ "2: 2023-01-15 07:30 80.4 kg", "3: 2023-01-16 07:45 80.1 kg" }));
    // An empty weight, and 30 February.
    EXPECT_EQ(refusedLines(log), QList<int>({ 4, 5 }));
    EXPECT_EQ(log.refused.at(0).reason, "the weight \"\" is not a number");
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
    EXPECT_EQ(
        log.refused.at(0), RefusedLine({ 4, "the systolic pressure \"abc\" is not a number" }));
}

TEST(GarminCsvReader, TakesEachDayFromTheLineBeforeItsWeighIns)
{
    const SourceLog log = GarminCsvReader::read(fixture("garmin-weight.csv"));
    ASSERT_FALSE(log.failed()) << log.error.toStdString();
    EXPECT_EQ(weighInLines(log),
        QStringList({ "3: 2023-01-16 07:28 80.2 kg", "5: 2023-01-15 07:30 80.4 kg",
            "6: 2023-01-15 18:10 177.5 lb" }));
    // "--" where the weight belongs.
    EXPECT_EQ(refusedLines(log), QList<int>({ 7 }));

    const SourceLog undated = GarminCsvReader::read("Time,Weight\n07:28 AM,80.2 kg\n");
    EXPECT_EQ(undated.refused, QList<RefusedLine>({ { 2, "no date line comes before it" } }));
}

// start_time is in UTC: the local time is moved by the row's offset, across
// midnight when it must be.
TEST(SamsungHealthCsvReader, SkipsTheMetadataLineAndAppliesTheTimeOffset)
{
    const SourceLog log = SamsungHealthCsvReader::read(fixture("samsung-weight.csv"));
    ASSERT_FALSE(log.failed()) << log.error.toStdString();
    EXPECT_EQ(weighInLines(log),
        QStringList({ "3: 2023-01-15 07:30 80.4 kg", "4: 2023-01-17 00:45 80.2 kg" }));
    EXPECT_EQ(log.refused, QList<RefusedLine>({ { 5, "the weight is empty" } }));

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
    EXPECT_EQ(log.refused.at(1).reason, "the blood-pressure reading has no diastolic value");
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
