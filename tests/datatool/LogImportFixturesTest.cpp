#include "DataToolProcess.h"
#include "TemporaryProgramFolder.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <ostream>

namespace {

QString exportFixture(const QString& name)
{
    return QDir(QStringLiteral(HALVORN_LOGIMPORT_FIXTURES)).filePath(name);
}

// One export of each app and layout, and what the log must hold after it
// went into a new person, every weigh-in of a day kept: weights as the
// source wrote them rounded to the tenth the log keeps, in the source's
// unit, readings at the source's wall-clock time.
struct FixtureImport {
    const char* name;
    const char* file;
    const char* log; // "weight" or "bp"
    const char* unit; // the new person's, for weights
    QStringList rows; // "date|weight" or "date|time|systolic|diastolic|pulse"
};

void PrintTo(const FixtureImport& c, std::ostream* out)
{
    *out << c.name;
}

const FixtureImport Imports[] = {
    { "OpenScale2", "openscale-2.csv", "weight", "kg",
        { "March 01, 2024|79.3", "March 02, 2024|79.1", "March 02, 2024|78.9",
            "March 03, 2024|78.5" } },
    { "OpenScale3", "openscale-3.csv", "weight", "kg",
        { "April 05, 2025|73.2", "April 06, 2025|72.9", "April 07, 2025|72.5" } },
    { "WithingsWeightGerman", "withings-weight-de.csv", "weight", "kg",
        { "January 05, 2024|81.7", "January 06, 2024|81.3" } },
    // The first weigh-in names kilograms; the one in pounds is converted.
    { "GarminMonthFirstMixedUnits", "garmin-weight.csv", "weight", "kg",
        { "January 15, 2023|80.4", "January 15, 2023|80.5", "January 16, 2023|80.2" } },
    { "GarminDayFirst", "garmin-weight-dayfirst.csv", "weight", "kg",
        { "September 09, 2023|79", "September 20, 2023|78.5", "September 21, 2023|78.2",
            "September 21, 2023|78.6" } },
    { "AppleLongDoctypeWeights", "apple-export-v14.xml", "weight", "kg",
        { "May 18, 2024|64.3", "May 19, 2024|64.1" } },
    { "WithingsBloodPressureGerman", "withings-bp-de.csv", "bp", "",
        { "January 05, 2024|9:40 PM|131|84|", "January 06, 2024|7:10 AM|124|79|62" } },
    { "WithingsBloodPressureFrench", "withings-bp-fr.csv", "bp", "",
        { "February 09, 2024|10:15 PM|127|81|69", "February 10, 2024|8:01 AM|118|76|66" } },
    { "WithingsPulseAlone", "withings-bp-pulse.csv", "bp", "",
        { "June 01, 2023|7:29 AM|119|77|65", "June 02, 2023|7:31 AM|121|78|63" } },
    { "AppleLongDoctypeReadings", "apple-export-v14.xml", "bp", "",
        { "May 19, 2024|7:31 AM|122|79|67" } },
};

class LogImportFixture : public testing::TestWithParam<FixtureImport>
{
};

QStringList exportedRows(const QJsonObject& document, bool weight)
{
    QStringList rows;
    const QStringList keys = weight
        ? QStringList { "date", "weight" }
        : QStringList { "date", "time", "systolic", "diastolic", "pulse" };
    for (const QJsonValue& value : document.value("rows").toArray()) {
        const QJsonObject row = value.toObject();
        if (row.value("date").toString().isEmpty())
            continue;
        QStringList cells;
        for (const QString& key : keys)
            cells.append(row.value(key).toString());
        rows.append(cells.join(u'|'));
    }
    return rows;
}

// Through --dry-run (nothing written), the import, the export as JSON
// and the folder check.
TEST_P(LogImportFixture, ComesThroughRowByRow)
{
    const FixtureImport& c = GetParam();
    TemporaryProgramFolder folder;
    const QStringList import { "import", c.log, "Eve", exportFixture(c.file), "--all-readings",
        "--dir", folder.path() };

    const DataToolRun dryRun = runDataTool(import + QStringList { "--dry-run" });
    ASSERT_EQ(dryRun.exitCode, 0) << dryRun.errText().toStdString();
    EXPECT_TRUE(dryRun.outText().contains(QStringLiteral("To add: %1,").arg(c.rows.size())))
        << dryRun.outText().toStdString();
    EXPECT_TRUE(folderContents(folder.path()).isEmpty());

    const DataToolRun imported = runDataTool(import);
    ASSERT_EQ(imported.exitCode, 0) << imported.errText().toStdString();

    const DataToolRun exported
        = runDataTool({ "export", c.log, "Eve", "--format", "json", "--dir", folder.path() });
    ASSERT_EQ(exported.exitCode, 0) << exported.errText().toStdString();
    const QJsonObject document = QJsonDocument::fromJson(exported.out).object();
    const bool weight = QLatin1String(c.log) == u"weight";
    EXPECT_EQ(exportedRows(document, weight), c.rows);
    if (weight) {
        EXPECT_EQ(document.value("unit").toString(), c.unit);
    }

    const DataToolRun check = runDataTool({ "check", "--dir", folder.path() });
    EXPECT_EQ(check.exitCode, 0) << check.outText().toStdString() << check.errText().toStdString();
}

std::string nameOf(const testing::TestParamInfo<FixtureImport>& fixture)
{
    return fixture.param.name;
}

INSTANTIATE_TEST_SUITE_P(Apps, LogImportFixture, testing::ValuesIn(Imports), nameOf);

// What a row of another kind does in the preview: counted by what it is,
// and the rest imported without --skip-refused.
TEST(DataToolLogImport, CountsTheRowsOfAnotherKindInThePreview)
{
    TemporaryProgramFolder folder;
    const DataToolRun run = runDataTool({ "import", "bp", "Eve",
        exportFixture("withings-bp-pulse.csv"), "--dry-run", "--dir", folder.path() });
    ASSERT_EQ(run.exitCode, 0) << run.errText().toStdString();
    EXPECT_EQ(run.outText(),
        "Format: Withings CSV\n"
        "Person: Eve (new)\n"
        "To add: 2, June 01, 2023 to June 02, 2023\n"
        "Skipped, already in the log: 0\n"
        "Skipped, rows without a blood pressure: 3\n"
        "Without a pulse: 0\n"
        "Refused: 0\n"
        "Nothing was written (--dry-run).\n");
}

// Two weigh-ins of one day in the file of a person who is new are not
// "already in the log".
TEST(DataToolLogImport, TellsTheSecondWeighInOfADayFromOneAlreadyLogged)
{
    TemporaryProgramFolder folder;
    TemporaryProgramFolder elsewhere;
    elsewhere.write("twice.csv",
        "dateTime,weight\n2024-03-02 07:00,80.0\n2024-03-02 07:01,80.0\n2024-03-03 07:00,79.8\n");
    const DataToolRun thinned = runDataTool({ "import", "weight", "Eve",
        elsewhere.filePath("twice.csv"), "--dry-run", "--dir", folder.path() });
    EXPECT_TRUE(thinned.outText().contains("Skipped, already in the log: 0\n"
                                           "Skipped, not the first weigh-in of its day: 1\n"))
        << thinned.outText().toStdString();
    const DataToolRun every = runDataTool({ "import", "weight", "Eve",
        elsewhere.filePath("twice.csv"), "--all-readings", "--dry-run", "--dir", folder.path() });
    EXPECT_TRUE(every.outText().contains("Skipped, already in the log: 0\n"
                                         "Skipped, twice in the file: 1\n"))
        << every.outText().toStdString();
}

} // namespace
