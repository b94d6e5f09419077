#include "DataToolProcess.h"
#include "TemporaryProgramFolder.h"

#include "bloodpressure/BloodPressureFile.h"
#include "storage/WeightPersonSettings.h"
#include "trackers/IndividualDataFile.h"
#include "weight/WeightFile.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

QString exportFixture(const QString& name)
{
    return QDir(QStringLiteral(HALVORN_LOGIMPORT_FIXTURES)).filePath(name);
}

DataToolRun importExport(const TemporaryProgramFolder& folder, QStringList arguments)
{
    return runDataTool(
        QStringList { "import" } + arguments + QStringList { "--dir", folder.path() });
}

QList<WeighIn> weighInsOf(const TemporaryProgramFolder& folder, const QString& name)
{
    QList<WeighIn> rows;
    if (const std::optional<WeightFile> file = WeightFile::LoadWeightFile(folder.folder(), name))
        for (const WeighIn& row : file->rows)
            if (!row.isEmpty())
                rows.append(row);
    return rows;
}

// The preview writes nothing; the import then creates the person in the
// export's unit, kilograms, the values as the scale wrote them; the same
// file again adds nothing.
TEST(DataToolLogImport, PreviewsThenImportsAHealthServiceExportIntoANewPerson)
{
    TemporaryProgramFolder folder;
    const QStringList arguments { "weight", "Eve", exportFixture("withings-weight.csv") };

    const DataToolRun dryRun = importExport(folder, arguments + QStringList { "--dry-run" });
    ASSERT_EQ(dryRun.exitCode, 0) << dryRun.errText().toStdString();
    EXPECT_EQ(dryRun.outText(),
        "Format: Withings CSV\n"
        "Person: Eve (new)\n"
        "Weights in: kg\n"
        "To add: 2, January 15, 2023 to January 16, 2023\n"
        "Skipped, already in the log: 0\n"
        "Skipped, not the first weigh-in of its day: 1\n"
        "Refused: 0\n"
        "Nothing was written (--dry-run).\n");
    EXPECT_TRUE(folderContents(folder.path()).isEmpty());

    const DataToolRun imported = importExport(folder, arguments);
    ASSERT_EQ(imported.exitCode, 0) << imported.errText().toStdString();
    EXPECT_TRUE(
        imported.outText().endsWith("Added 2 rows to the weight file of Eve, a new individual.\n"))
        << imported.outText().toStdString();
    EXPECT_EQ(weighInsOf(folder, "Eve"),
        QList<WeighIn>({ { "January 15, 2023", "80.4" }, { "January 16, 2023", "80.2" } }));
    EXPECT_EQ(WeightPersonSettings(folder.folder()).read("Eve").unit,
        WeightPersonSettings::Unit::Kilograms);

    const DataToolRun again = importExport(folder, arguments + QStringList { "--all-readings" });
    ASSERT_EQ(again.exitCode, 0) << again.errText().toStdString();
    EXPECT_TRUE(again.outText().contains("Skipped, already in the log: 2\n"));
    // The evening weigh-in of the 15th, wanted this time.
    EXPECT_TRUE(again.outText().contains("Added 1 row to the weight file of Eve.\n"))
        << again.outText().toStdString();
}

// A person listed in pounds and then set to kilograms: the stored numbers
// stay as typed, what comes after is converted into kilograms.
TEST(DataToolLogImport, ImportsWeighInsInThePersonsOwnUnit)
{
    TemporaryProgramFolder folder;
    TemporaryProgramFolder elsewhere;
    elsewhere.write("first.csv", "Date,\"Weight (lb)\"\n\"2023-01-15 07:30:12\",177.2\n");
    elsewhere.write("second.csv", "Date,\"Weight (lb)\"\n\"2023-01-16 07:30:00\",176.9\n");
    ASSERT_EQ(
        importExport(folder, { "weight", "Eve", elsewhere.filePath("first.csv") }).exitCode, 0);
    ASSERT_EQ(
        runDataTool({ "set", "weight", "eve", "--unit", "kg", "--relabel", "--dir", folder.path() })
            .exitCode,
        0);

    const DataToolRun apple = importExport(
        folder, { "weight", "Eve", exportFixture("apple-export.xml"), "--from", "apple" });
    // Line 24 holds a date the reader refuses.
    ASSERT_EQ(apple.exitCode, 1);
    EXPECT_TRUE(apple.errText().contains(
        "apple-export.xml: line 24: the startDate attribute holds \"January 16\""))
        << apple.errText().toStdString();

    const DataToolRun second
        = importExport(folder, { "weight", "Eve", elsewhere.filePath("second.csv") });
    ASSERT_EQ(second.exitCode, 0) << second.errText().toStdString();
    EXPECT_TRUE(second.outText().contains("Weights in: kg\n"));
    EXPECT_EQ(weighInsOf(folder, "Eve"),
        QList<WeighIn>({ { "January 15, 2023", "177.2" }, { "January 16, 2023", "80.2" } }));
}

// One refused line and nothing changes, not a byte of the folder.
TEST(DataToolLogImport, ARefusedLineLeavesTheFolderAsItWas)
{
    TemporaryProgramFolder folder;
    copyFixture("logs", folder);
    const QMap<QString, QByteArray> before = folderContents(folder.path());
    const DataToolRun run
        = importExport(folder, { "weight", "Ann", exportFixture("openscale.csv") });
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.errText().contains(
        "openscale.csv: line 5: the \"dateTime\" column holds \"2023-02-30 07:20\", not a date"))
        << run.errText().toStdString();
    EXPECT_TRUE(run.errText().endsWith("nothing was imported\n"));
    EXPECT_EQ(folderContents(folder.path()), before);
}

// Asked for, the rows that can be read go in and the refused ones are
// still named.
TEST(DataToolLogImport, SkippingRefusedLinesImportsTheOtherRows)
{
    TemporaryProgramFolder folder;
    copyFixture("logs", folder);
    const QList<WeighIn> before = weighInsOf(folder, "Ann");
    const DataToolRun run = importExport(
        folder, { "weight", "Ann", exportFixture("openscale.csv"), "--skip-refused" });
    ASSERT_EQ(run.exitCode, 0) << run.errText().toStdString();
    EXPECT_TRUE(run.outText().contains("Refused: 1\n"));
    EXPECT_TRUE(run.outText().contains("Skipped, rows without a weight: 1\n"));
    EXPECT_TRUE(run.errText().contains("openscale.csv: line 5: the \"dateTime\" column holds"));
    EXPECT_TRUE(run.outText().endsWith("Added 2 rows to the weight file of Ann.\n"))
        << run.outText().toStdString();
    EXPECT_EQ(weighInsOf(folder, "Ann").mid(before.size()),
        QList<WeighIn>({ { "January 15, 2023", "177.3" }, { "January 16, 2023", "176.6" } }));
}

TEST(DataToolLogImport, ImportsReadingsWithThePulseTakenBesideThem)
{
    TemporaryProgramFolder folder;
    copyFixture("logs", folder);
    TemporaryProgramFolder elsewhere;
    elsewhere.write("bp.csv",
        "Date,\"Heart rate\",\"Systolic\",\"Diastolic\",Comments\r\n"
        "\"2012-03-09 07:05:00\",64,118,76,\r\n"
        "\"2012-03-10 21:10:30\",,125,82,\r\n");
    const DataToolRun run = importExport(folder, { "bp", "cy", elsewhere.filePath("bp.csv") });
    ASSERT_EQ(run.exitCode, 0) << run.errText().toStdString();
    EXPECT_TRUE(run.outText().contains("Without a pulse: 1\n"));
    const std::optional<BloodPressureFile> cy
        = BloodPressureFile::LoadBloodPressureFile(folder.folder(), "Cy");
    ASSERT_TRUE(cy);
    ASSERT_EQ(cy->rows.size(), 6);
    EXPECT_EQ(cy->rows[4], (Reading { "March 09, 2012", "7:05 AM", "118", "76", "64" }));
    EXPECT_EQ(cy->rows[5], (Reading { "March 10, 2012", "9:10 PM", "125", "82", "" }));
}

// The archive as the phone lays it out, the clinical export beside the one
// that is read; made with python3's zipfile, another archiver than the
// tests' own.
TEST(DataToolLogImport, PreviewsReadingsFromThePhonesZippedExport)
{
    TemporaryProgramFolder folder;
    const DataToolRun run
        = importExport(folder, { "bp", "Eve", exportFixture("apple-export.zip"), "--dry-run" });
    ASSERT_EQ(run.exitCode, 0) << run.errText().toStdString();
    // The first reading takes the pulse the watch took a minute later.
    EXPECT_EQ(run.outText(),
        "Format: Apple Health export.zip\n"
        "Person: Eve (new)\n"
        "To add: 2, January 20, 2023 to January 22, 2023\n"
        "Skipped, already in the log: 0\n"
        "Without a pulse: 1\n"
        "Refused: 0\n"
        "Nothing was written (--dry-run).\n");
    EXPECT_TRUE(folderContents(folder.path()).isEmpty());
}

TEST(DataToolLogImport, RefusesWhatItCannotUse)
{
    TemporaryProgramFolder folder;
    TemporaryProgramFolder elsewhere;
    elsewhere.write("export.zip", QByteArray("PK\x03\x04\x14\x00\x00\x00", 8));
    elsewhere.write("plain.csv", "date,weight\n2023-01-15,180\n");
    // One weigh-in a day for longer than a log can hold, refused before
    // anything is written rather than after the preview promised it.
    QByteArray tooLong = "dateTime,weight\n";
    for (QDate day(1930, 1, 1);
         day < QDate(1930, 1, 1).addDays(IndividualDataFile::MaximumRowCount); day = day.addDays(1))
        tooLong += day.toString(u"yyyy-MM-dd").toLatin1() + " 07:00,80\n";
    elsewhere.write("long.csv", tooLong);
    const struct {
        QStringList arguments;
        int exitCode;
        QString error;
    } cases[] = {
        { { "weight", "Eve", exportFixture("openscale.csv"), "--from", "fitbit" }, 2,
            "unknown format \"fitbit\": use openscale|withings|garmin|samsung|apple|csv" },
        { { "weight", "Eve", elsewhere.filePath("export.zip") }, 1,
            "export.zip: the zip archive is cut short or damaged" },
        { { "bp", "Eve", exportFixture("withings-weight.csv") }, 1,
            "holds weigh-ins, no blood-pressure readings" },
        { { "weight", "Eve", exportFixture("garmin-weight.csv"), "--from", "samsung" }, 1,
            "line 2: the header has no \"start_time\" column" },
        { { "weight", "Eve", elsewhere.filePath("long.csv"), "--dry-run" }, 1,
            "the log would hold more than 32766 rows" },
        { { "weight", "Eve", elsewhere.filePath("plain.csv"), "--map", "date=date" }, 2,
            "--map, --date-order and --unit belong to --from mapped" },
        { { "passwords", elsewhere.filePath("plain.csv"), "--all-readings" }, 2,
            "--all-readings belongs to import weight and bp" },
    };
    for (const auto& c : cases) {
        const DataToolRun run = importExport(folder, c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.error.toStdString();
        EXPECT_TRUE(run.errText().contains(c.error)) << run.errText().toStdString();
    }
    EXPECT_TRUE(folderContents(folder.path()).isEmpty());
}

} // namespace
