#include "SourceLogText.h"

#include "logimport/LogSource.h"
#include "logimport/MappedCsvReader.h"

#include <gtest/gtest.h>

namespace {

using Field = ColumnMapping::Field;
using Order = ColumnMapping::DateOrder;
using Unit = WeightPersonSettings::Unit;

QString shown(const std::optional<MappedCsvReader::DateTime>& read)
{
    if (!read)
        return QStringLiteral("refused");
    return (read->date.toString(Qt::ISODate) + u' ' + read->time.toString(QStringLiteral("HH:mm")))
        .trimmed();
}

TEST(MappedCsvReader, ReadsDatesInTheChosenOrderWithAnyOfTheSeparators)
{
    const struct {
        const char* text;
        Order order;
        const char* expected;
    } cases[] = {
        { "2023-01-15", Order::YearMonthDay, "2023-01-15" },
        { "2023/1/5", Order::YearMonthDay, "2023-01-05" },
        { "2023.01.15T07:30:12", Order::YearMonthDay, "2023-01-15 07:30" },
        { "15.01.2023 07:30", Order::DayMonthYear, "2023-01-15 07:30" },
        { "15/01/23", Order::DayMonthYear, "2023-01-15" },
        { "15-01-95", Order::DayMonthYear, "1995-01-15" },
        { "01/15/2023 7:05 PM", Order::MonthDayYear, "2023-01-15 19:05" },
        { " 1/15/2023  12:00 am ", Order::MonthDayYear, "2023-01-15 00:00" },
        // The wrong order, mixed separators, no such day, no such time.
        { "15.01.2023", Order::YearMonthDay, "refused" },
        { "01/15/2023", Order::DayMonthYear, "refused" },
        { "2023-01/15", Order::YearMonthDay, "refused" },
        { "31.02.2023", Order::DayMonthYear, "refused" },
        { "15.01.2023 25:00", Order::DayMonthYear, "refused" },
        { "15.01.023", Order::DayMonthYear, "refused" },
        { "January 15, 2023", Order::MonthDayYear, "refused" },
        { "", Order::YearMonthDay, "refused" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(shown(MappedCsvReader::dateTime(c.text, c.order)), c.expected) << c.text;
}

// The fixture: a byte-order mark, CR LF, headings with blanks around them,
// a decimal comma, a time in the date cell, a blank line, 30 February and an
// empty weight.
TEST(MappedCsvReader, ReadsWeighInsThroughTheChosenColumns)
{
    ColumnMapping mapping;
    mapping.headings = { { Field::Date, "measured ON" }, { Field::Weight, "  Body Weight (kg)" } };
    mapping.dateOrder = Order::DayMonthYear;
    const QByteArray bytes = fixture("plain-weights.csv");
    EXPECT_EQ(MappedCsvReader::headings(bytes),
        QStringList({ "Measured on", "Body Weight (kg)", "Note" }));

    SourceLog log = MappedCsvReader::read(bytes, mapping, true);
    ASSERT_FALSE(log.failed()) << log.error.toStdString();
    EXPECT_TRUE(log.weightsInPersonsUnit);
    EXPECT_EQ(weighInLines(log),
        QStringList(
            { "2: 2023-01-15 07:30 80.4 lb", "3: 2023-01-15  81 lb", "5: 2023-01-16  80.2 lb" }));
    // The row without a weight is of another kind.
    ASSERT_EQ(refusedLines(log), QList<int>({ 6 }));
    EXPECT_EQ(log.refused.at(0).reason,
        "the date \"31.02.2023\" is not a day-month-year date; the line reads "
        "\"31.02.2023,79.9,no such day\"");
    EXPECT_EQ(log.skipped, QList<SkippedLines>({ { "rows without a weight", 1 } }));

    mapping.unit = Unit::Kilograms;
    log = MappedCsvReader::read(bytes, mapping, true);
    EXPECT_FALSE(log.weightsInPersonsUnit);
    EXPECT_EQ(weighInLines(log).first(), "2: 2023-01-15 07:30 80.4 kg");
}

TEST(MappedCsvReader, ReadsReadingsWithATimeColumnAndAnEmptyPulse)
{
    ColumnMapping mapping
        = ColumnMapping::guess(MappedCsvReader::headings(fixture("plain-readings.csv")));
    mapping.headings.insert(Field::Time, "clock");
    mapping.dateOrder = Order::MonthDayYear;
    const SourceLog log = MappedCsvReader::read(fixture("plain-readings.csv"), mapping, false);
    ASSERT_FALSE(log.failed()) << log.error.toStdString();
    EXPECT_EQ(readingLines(log),
        QStringList({ "2: 2023-01-15 07:05 118/76 64", "3: 2023-01-15 21:10 125/82 -" }));
}

TEST(MappedCsvReader, RefusesAFileWhoseColumnsAreNotAllChosenOrNotThere)
{
    const QByteArray bytes = "Date,Weight,Note\n2023-01-15,80\n";
    const struct {
        QMap<Field, QString> headings;
        bool weights;
        const char* error;
    } cases[] = {
        { { { Field::Date, "date" }, { Field::Weight, " " } }, true,
            "no column is chosen for the weight" },
        { { { Field::Date, "date" }, { Field::Weight, "Weight" } }, false,
            "no column is chosen for the systolic" },
        { { { Field::Date, "DATE" }, { Field::Weight, "weight" }, { Field::Pulse, "Heart" } }, true,
            "line 1: the header has no column \"Heart\" for the pulse" },
    };
    for (const auto& c : cases) {
        ColumnMapping mapping;
        mapping.headings = c.headings;
        const SourceLog log = MappedCsvReader::read(bytes, mapping, c.weights);
        EXPECT_EQ(log.error, c.error);
        EXPECT_TRUE(log.weighIns.isEmpty() && log.readings.isEmpty());
    }
}

TEST(ColumnMapping, GuessesTheObviousHeadings)
{
    const struct {
        QStringList headings;
        QMap<Field, QString> expected;
        std::optional<Unit> unit;
    } cases[] = {
        { { "Date", "Weight (kg)", "Comment" },
            { { Field::Date, "Date" }, { Field::Weight, "Weight (kg)" } }, Unit::Kilograms },
        { { " day ", "Time", "LBS" },
            { { Field::Date, " day " }, { Field::Time, "Time" }, { Field::Weight, "LBS" } },
            Unit::Pounds },
        { { "Timestamp", "SYS", "Dia [mmHg]", "Heart rate" },
            { { Field::Date, "Timestamp" }, { Field::Systolic, "SYS" },
                { Field::Diastolic, "Dia [mmHg]" }, { Field::Pulse, "Heart rate" } },
            std::nullopt },
        { { "Datum", "Gewicht" }, {}, std::nullopt },
    };
    for (const auto& c : cases) {
        const ColumnMapping mapping = ColumnMapping::guess(c.headings);
        EXPECT_EQ(mapping.headings, c.expected) << c.headings.join(u',').toStdString();
        EXPECT_EQ(mapping.unit, c.unit) << c.headings.join(u',').toStdString();
    }
}

TEST(LogSource, TakesAJsonDocumentForTheProgramsOwnExport)
{
    EXPECT_EQ(
        LogSource::detect("\xEF\xBB\xBF\n  {\n \"averages\": {"), LogSource::Format::ProgramJson);
    EXPECT_EQ(LogSource::formatNamed("mapped"), LogSource::Format::Mapped);
    EXPECT_EQ(LogSource::formatNamed("JSON"), LogSource::Format::ProgramJson);
}

} // namespace
