#include "SourceLogText.h"

#include "logimport/LogSource.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>

namespace {

using Format = LogSource::Format;

struct Detection {
    const char* name;
    // A fixture's file name, or the content itself.
    const char* fixture;
    QByteArray content;
    std::optional<Format> format;
    // What the plain message says the file is, when it is no table either.
    const char* unreadable = "";
};

void PrintTo(const Detection& detection, std::ostream* out)
{
    *out << detection.name;
}

class LogSourceDetection : public testing::TestWithParam<Detection>
{
};

// Every case is told by its content alone: the headings of a CSV (never
// its first value), the first element of an XML file, the bytes of a zip.
TEST_P(LogSourceDetection, RecognisesTheFileByItsContentAlone)
{
    const Detection& c = GetParam();
    const QByteArray bytes = c.fixture ? fixture(c.fixture) : c.content;
    ASSERT_FALSE(bytes.isEmpty() && c.fixture);
    QString unreadable;
    EXPECT_EQ(LogSource::detect(bytes, &unreadable), c.format);
    EXPECT_EQ(unreadable, c.unreadable);
}

const Detection Detections[] = {
    { "OpenScale2", "openscale.csv", {}, Format::OpenScale },
    { "OpenScale2EveryColumn", "openscale-2.csv", {}, Format::OpenScale },
    { "OpenScale3", "openscale-3.csv", {}, Format::OpenScale },
    { "WithingsWeight", "withings-weight.csv", {}, Format::Withings },
    { "WithingsWeightGerman", "withings-weight-de.csv", {}, Format::Withings },
    { "WithingsBloodPressure", "withings-bp.csv", {}, Format::Withings },
    { "WithingsBloodPressureGerman", "withings-bp-de.csv", {}, Format::Withings },
    { "WithingsBloodPressureFrench", "withings-bp-fr.csv", {}, Format::Withings },
    { "WithingsPulseAlone", "withings-bp-pulse.csv", {}, Format::Withings },
    { "WithingsPounds", nullptr, "\"Date\",\"Weight (lb)\"\r\n", Format::Withings },
    { "GarminMonthFirst", "garmin-weight.csv", {}, Format::Garmin },
    { "GarminDayFirst", "garmin-weight-dayfirst.csv", {}, Format::Garmin },
    { "SamsungHealth", "samsung-weight.csv", {}, Format::SamsungHealth },
    { "AppleHealth", "apple-export.xml", {}, Format::AppleHealth },
    { "AppleHealthLongDoctype", "apple-export-v14.xml", {}, Format::AppleHealth },
    { "AppleHealthZip", nullptr, QByteArray("PK\x03\x04\x14\x00", 6), Format::Zip },
    { "ProgramJson", "halvorn-bp.json", {}, Format::ProgramJson },
    { "ProgramReadings", nullptr, "date,time,systolic,diastolic,pulse\n", Format::ProgramCsv },
    { "ProgramWeights", nullptr, "\"date\",\"weight\"\n", Format::ProgramCsv },
    { "ProgramWeightsInKilograms", nullptr, "row,date,weight (kg),weight_display\n",
        Format::ProgramCsv },
    // A table of the program's columns with a time is not the fitness
    // site's export, which has no date column.
    { "PlainTableWithTime", nullptr, "date,time,weight\n2023-01-15,07:30,80\n",
        Format::ProgramCsv },
    { "OtherTable", nullptr, "name,age\nAnn,4\n", std::nullopt },
    { "Empty", nullptr, "", std::nullopt },
    { "Html", nullptr, "<html><body>", std::nullopt,
        "an XML file whose first element is <html>, not the phone's health export" },
    { "OtherXml", nullptr,
        "\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<!DOCTYPE svg [\n<!ENTITY a \"b\">\n]>\n<svg/>\n",
        std::nullopt, "an XML file whose first element is <svg>, not the phone's health export" },
    { "Picture", nullptr, QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), std::nullopt,
        "neither a table of values nor an export this program knows" },
};

std::string nameOf(const testing::TestParamInfo<Detection>& detection)
{
    return detection.param.name;
}

INSTANTIATE_TEST_SUITE_P(Files, LogSourceDetection, testing::ValuesIn(Detections), nameOf);

TEST(LogSource, SaysPlainlyThatAFileIsNoneOfThem)
{
    EXPECT_EQ(LogSource::unreadableMessage("an XML file whose first element is <html>"),
        "not a file Halvorn can read (an XML file whose first element is <html>)");
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
