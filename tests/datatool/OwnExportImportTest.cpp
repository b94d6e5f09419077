// The program's own CSV and JSON exports imported again, and a plain CSV
// read through the columns named with --map.

#include "DataToolProcess.h"
#include "TemporaryProgramFolder.h"

#include "bloodpressure/BloodPressureFile.h"
#include "weight/WeightFile.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

QString exportFixture(const QString& name)
{
    return QDir(QStringLiteral(HALVORN_LOGIMPORT_FIXTURES)).filePath(name);
}

DataToolRun run(const TemporaryProgramFolder& folder, const QStringList& arguments)
{
    return runDataTool(arguments + QStringList { "--dir", folder.path() });
}

template <typename Row> QList<Row> nonEmpty(const QList<Row>& rows)
{
    QList<Row> kept;
    for (const Row& row : rows)
        if (!row.isEmpty())
            kept.append(row);
    return kept;
}

QList<WeighIn> weighInsOf(const TemporaryProgramFolder& folder, const QString& name)
{
    const std::optional<WeightFile> file = WeightFile::LoadWeightFile(folder.folder(), name);
    return file ? nonEmpty(file->rows) : QList<WeighIn>();
}

QList<Reading> readingsOf(const TemporaryProgramFolder& folder, const QString& name)
{
    const std::optional<BloodPressureFile> file
        = BloodPressureFile::LoadBloodPressureFile(folder.folder(), name);
    return file ? nonEmpty(file->rows) : QList<Reading>();
}

// Ann's log as a screen may leave it: a weight with more digits than the
// box shows, two weigh-ins on one day, the same weigh-in twice, and a row
// out of date order.
void giveAnnAnUntidyLog(const TemporaryProgramFolder& folder)
{
    std::optional<WeightFile> ann = WeightFile::LoadWeightFile(folder.folder(), "Ann");
    ASSERT_TRUE(ann);
    ann->rows = nonEmpty(ann->rows)
        + QList<WeighIn> { { "January 22, 2013", "198.25" }, { "January 22, 2013", "198.3" },
              { "January 22, 2013", "198.25" }, { "January 05, 2013", "199.5" } };
    ASSERT_TRUE(ann->SaveWeightFile(folder.folder()));
}

void giveCyAReadingWithoutAPulse(const TemporaryProgramFolder& folder)
{
    std::optional<BloodPressureFile> cy
        = BloodPressureFile::LoadBloodPressureFile(folder.folder(), "Cy");
    ASSERT_TRUE(cy);
    cy->rows
        = nonEmpty(cy->rows) + QList<Reading> { { "March 01, 2012", "11:59 PM", "119", "79", "" } };
    ASSERT_TRUE(cy->SaveBloodPressureFile(folder.folder()));
}

TEST(OwnExportImport, ALogExportedAndImportedIntoANewPersonKeepsEveryStoredText)
{
    for (const char* format : { "csv", "json" }) {
        TemporaryProgramFolder folder;
        copyFixture("logs", folder);
        giveAnnAnUntidyLog(folder);
        giveCyAReadingWithoutAPulse(folder);
        TemporaryProgramFolder elsewhere;
        for (const char* kind : { "weight", "bp" }) {
            const QString original = kind == QLatin1String("weight") ? "Ann" : "Cy";
            const QString path = elsewhere.filePath(QStringLiteral("%1.%2").arg(kind, format));
            ASSERT_EQ(
                run(folder, { "export", kind, original, "--format", format, "-o", path }).exitCode,
                0);
            const DataToolRun imported = run(folder, { "import", kind, "Copy", path });
            ASSERT_EQ(imported.exitCode, 0) << format << imported.errText().toStdString();
            EXPECT_TRUE(imported.outText().contains(
                QStringLiteral("Format: Halvorn %1\n").arg(QString(format).toUpper())))
                << imported.outText().toStdString();
        }
        EXPECT_EQ(weighInsOf(folder, "Copy"), weighInsOf(folder, "Ann")) << format;
        EXPECT_EQ(weighInsOf(folder, "Copy").size(), 7) << format;
        EXPECT_EQ(readingsOf(folder, "Copy"), readingsOf(folder, "Cy")) << format;
        EXPECT_EQ(readingsOf(folder, "Copy").size(), 5) << format;
    }
}

// Rows equal to logged ones (same day and value, for readings the same
// time) are skipped and counted; a weight differing in its second decimal
// is no duplicate.
TEST(OwnExportImport, SkipsAndCountsTheRowsTheLogAlreadyHas)
{
    TemporaryProgramFolder folder;
    copyFixture("logs", folder);
    TemporaryProgramFolder elsewhere;
    const QString path = elsewhere.filePath("ann.csv");
    ASSERT_EQ(run(folder, { "export", "weight", "Ann", "-o", path }).exitCode, 0);

    const DataToolRun again = run(folder, { "import", "weight", "Ann", path });
    ASSERT_EQ(again.exitCode, 0) << again.errText().toStdString();
    EXPECT_TRUE(again.outText().contains("To add: 0\nSkipped, already in the log: 3\n"))
        << again.outText().toStdString();
    EXPECT_TRUE(again.outText().endsWith("Nothing to add.\n"));

    QByteArray csv = elsewhere.read("ann.csv");
    csv += "4,\"January 15, 2013\",199.04,,,,,,,\r\n";
    elsewhere.write("ann.csv", csv);
    const QMap<QString, QByteArray> before = folderContents(folder.path());
    const DataToolRun dryRun = run(folder, { "import", "weight", "Ann", path, "--dry-run" });
    ASSERT_EQ(dryRun.exitCode, 0) << dryRun.errText().toStdString();
    EXPECT_TRUE(dryRun.outText().contains("To add: 1, January 15, 2013 to January 15, 2013\n"));
    EXPECT_EQ(folderContents(folder.path()), before);

    const DataToolRun added = run(folder, { "import", "weight", "Ann", path });
    ASSERT_EQ(added.exitCode, 0) << added.errText().toStdString();
    EXPECT_TRUE(added.outText().endsWith("Added 1 row to the weight file of Ann.\n"
                                         "Skipped 3 rows already in the log.\n"))
        << added.outText().toStdString();
    EXPECT_EQ(weighInsOf(folder, "Ann").last(), (WeighIn { "January 15, 2013", "199.04" }));
}

// Weights are converted only when the export names a unit other than the
// person's; without a unit they are in the person's.
TEST(OwnExportImport, ConvertsOnlyWhenTheExportNamesAnotherUnit)
{
    const struct {
        const char* file;
        QByteArray content;
        bool annInKilograms;
        const char* stored;
    } cases[] = {
        { "kg.csv", "date,weight (kg)\n2013-02-01,80.25\n", false, "176.9" },
        { "lb.csv", "row,date,weight (lb)\n1,2013-02-01,180.25\n", false, "180.25" },
        { "plain.csv", "Date,Weight\n2013-02-01,180.25\n", false, "180.25" },
        { "kg.csv", "date,weight (kg)\n2013-02-01,80.25\n", true, "80.25" },
        { "lb.json",
            "{\"kind\":\"weight\",\"unit\":\"lb\",\"rows\":[{\"row\":1,\"date\":"
            "\"February 01, 2013\",\"weight\":\"180.25\"}]}",
            true, "81.8" },
        { "none.json",
            "{\"kind\":\"weight\",\"rows\":[{\"row\":1,\"date\":\"February 01, "
            "2013\",\"weight\":\"80.25\"}]}",
            true, "80.25" },
    };
    for (const auto& c : cases) {
        TemporaryProgramFolder folder;
        copyFixture("logs", folder);
        if (c.annInKilograms) {
            ASSERT_EQ(
                run(folder, { "set", "weight", "Ann", "--unit", "kg", "--relabel" }).exitCode, 0);
        }
        TemporaryProgramFolder elsewhere;
        elsewhere.write(c.file, c.content);
        const DataToolRun imported
            = run(folder, { "import", "weight", "Ann", elsewhere.filePath(c.file) });
        ASSERT_EQ(imported.exitCode, 0) << c.file << imported.errText().toStdString();
        EXPECT_EQ(weighInsOf(folder, "Ann").last(), (WeighIn { "February 01, 2013", c.stored }))
            << c.file << (c.annInKilograms ? " into kg" : " into lb");
    }
}

// The refused row is named by the line of its row number; the empty row of
// the grid is passed over; nothing is written.
TEST(OwnExportImport, ARefusedRowOfTheJsonExportLeavesTheFolderAsItWas)
{
    TemporaryProgramFolder folder;
    copyFixture("logs", folder);
    const QMap<QString, QByteArray> before = folderContents(folder.path());
    const DataToolRun imported
        = run(folder, { "import", "bp", "Cy", exportFixture("halvorn-bp.json") });
    EXPECT_EQ(imported.exitCode, 1);
    EXPECT_TRUE(imported.outText().contains("To add: 2, March 09, 2012 to March 10, 2012\n"))
        << imported.outText().toStdString();
    EXPECT_EQ(imported.errText(),
        QStringLiteral("halvorn-data: %1: line 37: the systolic pressure \"301\" is not a whole "
                       "number from 50 to 300\nhalvorn-data: nothing was imported\n")
            .arg(exportFixture("halvorn-bp.json")));
    EXPECT_EQ(folderContents(folder.path()), before);
}

TEST(OwnExportImport, ImportsAPlainCsvThroughTheNamedColumns)
{
    TemporaryProgramFolder folder;
    TemporaryProgramFolder elsewhere;
    elsewhere.write("scale.csv", "When,Kilos,Note\n15.01.2023 07:30,\"80,4\",\n16/01/2023,80.2,\n");
    const DataToolRun imported = run(folder,
        { "import", "weight", "Eve", elsewhere.filePath("scale.csv"), "--from", "mapped", "--map",
            "date=when", "--map", "Weight= KILOS ", "--date-order", "dmy", "--unit", "kg" });
    ASSERT_EQ(imported.exitCode, 0) << imported.errText().toStdString();
    EXPECT_TRUE(imported.outText().startsWith("Format: CSV with chosen columns\n"));
    // The unit named for the file is the new person's.
    EXPECT_EQ(weighInsOf(folder, "Eve"),
        QList<WeighIn>({ { "January 15, 2023", "80.4" }, { "January 16, 2023", "80.2" } }));
}

TEST(OwnExportImport, RefusesAPlainCsvWithoutItsColumns)
{
    TemporaryProgramFolder folder;
    TemporaryProgramFolder elsewhere;
    elsewhere.write("scale.csv", "When,Kilos,Note\n2023-01-15,80.4,\n");
    const QString scale = elsewhere.filePath("scale.csv");
    const QStringList mapped { "import", "weight", "Eve", scale, "--from", "mapped" };
    const struct {
        QStringList arguments;
        int exitCode;
        QStringList errors;
    } cases[] = {
        { mapped + QStringList { "--map", "date=When" }, 1,
            { "no column is chosen for the weight\n",
                "the file's columns: When, Kilos, Note; choose them with --map FIELD=HEADING" } },
        { mapped + QStringList { "--map", "date=When", "--map", "weight=Mass" }, 1,
            { "line 1: the header has no column \"Mass\" for the weight" } },
        { mapped + QStringList { "--map", "size=Kilos" }, 2,
            { "--map size=Kilos: write FIELD=HEADING" } },
        { mapped + QStringList { "--map", "weight" }, 2, { "--map weight: write FIELD=HEADING" } },
        { mapped + QStringList { "--date-order", "ydm" }, 2,
            { "--date-order ydm: use ymd, dmy or mdy" } },
        { { "import", "bp", "Eve", scale, "--from", "mapped", "--unit", "kg" }, 2,
            { "--unit takes lb or kg, for weights" } },
        { { "import", "weight", "Eve", scale, "--map", "date=When" }, 2,
            { "--map, --date-order and --unit belong to --from mapped" } },
        { { "list", "weight", "--date-order", "dmy" }, 2,
            { "--map and --date-order belong to import weight and bp" } },
        { { "import", "weight", "Eve", scale }, 1,
            { "line 1: the header has no \"date\" column",
                "a table with other columns imports with --from mapped --map FIELD=HEADING" } },
    };
    for (const auto& c : cases) {
        const DataToolRun refused = run(folder, c.arguments);
        EXPECT_EQ(refused.exitCode, c.exitCode) << c.arguments.join(u' ').toStdString();
        for (const QString& error : c.errors)
            EXPECT_TRUE(refused.errText().contains(error)) << refused.errText().toStdString();
    }
    EXPECT_TRUE(folderContents(folder.path()).isEmpty());
}

} // namespace
