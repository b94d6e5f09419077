#include "SourceLogText.h"

#include "logimport/LogSource.h"

#include <gtest/gtest.h>

namespace {

using Format = LogSource::Format;

TEST(LogSource, RecognisesEachExportFromItsContent)
{
    const struct {
        const char* file;
        Format format;
    } cases[] = {
        { "openscale.csv", Format::OpenScale },
        { "withings-weight.csv", Format::Withings },
        { "withings-bp.csv", Format::Withings },
        { "garmin-weight.csv", Format::Garmin },
        { "samsung-weight.csv", Format::SamsungHealth },
        { "apple-export.xml", Format::AppleHealth },
    };
    for (const auto& c : cases)
        EXPECT_EQ(LogSource::detect(fixture(c.file)), c.format) << c.file;

    EXPECT_EQ(LogSource::detect("\"Date\",\"Weight (lb)\"\r\n"), Format::Withings);
    EXPECT_EQ(LogSource::detect("date,time,systolic,diastolic,pulse\n"), Format::ProgramCsv);
    EXPECT_EQ(LogSource::detect("\"date\",\"weight\"\n"), Format::ProgramCsv);
    EXPECT_EQ(LogSource::detect("row,date,weight (kg),weight_display\n"), Format::ProgramCsv);
    EXPECT_EQ(LogSource::detect(QByteArray("PK\x03\x04\x14\x00", 6)), Format::Zip);
    EXPECT_EQ(LogSource::detect("name,age\nAnn,4\n"), std::nullopt);
    EXPECT_EQ(LogSource::detect("<html><body>"), std::nullopt);
    EXPECT_EQ(LogSource::detect(""), std::nullopt);
}

TEST(LogSource, NamesEveryFormatForFrom)
{
    for (const QString& name : LogSource::names())
        EXPECT_EQ(LogSource::name(*LogSource::formatNamed(name)), name);
    EXPECT_EQ(LogSource::formatNamed("Withings"), Format::Withings);
    EXPECT_EQ(LogSource::formatNamed("zip"), std::nullopt);
}

TEST(LogSource, ReadsWithingsReadingsOrWeightsByTheHeader)
{
    QFile bp(fixturePath("withings-bp.csv"));
    ASSERT_TRUE(bp.open(QIODevice::ReadOnly));
    EXPECT_EQ(LogSource::read(bp, Format::Withings).readings.size(), 2);
    QFile weight(fixturePath("withings-weight.csv"));
    ASSERT_TRUE(weight.open(QIODevice::ReadOnly));
    EXPECT_EQ(LogSource::read(weight, Format::Withings).weighIns.size(), 3);
}

} // namespace
