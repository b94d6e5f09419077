#include "DataToolProcess.h"
#include "PdfInspection.h"
#include "TemporaryProgramFolder.h"

#include "bloodpressure/BloodPressureFile.h"
#include "storage/ProgramSettings.h"
#include "storage/StoredDate.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Dee's readings over eight days: mornings, evenings and one afternoon. The
// home week ends on March 20 and averages March 15 to 20, of which four
// days have readings; March 14 is its day 1 and March 13 lies before it.
class DataToolStats : public ::testing::Test
{
protected:
    void SetUp() override
    {
        copyFixture("logs", folder);
        addIndividual(QStringLiteral("Dee"),
            {
                reading(13, "7:00 AM", "150", "95", "80"),
                reading(14, "7:00 AM", "160", "100", "80"),
                reading(15, "7:00 AM", "130", "82", "70"),
                reading(16, "8:00 PM", "140", "88", "72"),
                reading(18, "7:00 AM", "128", "80", "68"),
                reading(20, "8:00 PM", "136", "86", "74"),
                reading(20, "2:00 PM", "120", "78", ""),
                // Left out of every figure.
                Reading { QString(), "7:00 AM", "200", "120", "90" },
            });
        addIndividual(QStringLiteral("Eve"),
            { reading(1, "7:00 AM", "118", "76", "60"), reading(2, "9:00 PM", "122", "78", "62") });
    }

    static Reading reading(
        int day, const char* time, const char* systolic, const char* diastolic, const char* pulse)
    {
        return Reading { StoredDate::longText(QDate(2026, 3, day)), time, systolic, diastolic,
            pulse };
    }

    void addIndividual(const QString& name, const QList<Reading>& rows)
    {
        BloodPressureFile file;
        file.name = name;
        file.rowCount = 20;
        file.rows = rows;
        ASSERT_TRUE(file.SaveBloodPressureFile(folder.folder()));
        IndividualList list = BloodPressureFile::LoadBpIndividualList(folder.folder());
        list.add(name);
        ASSERT_TRUE(BloodPressureFile::WriteBpIndividualList(folder.folder(), list));
    }

    DataToolRun stats(const QStringList& arguments)
    {
        return runDataTool(
            QStringList { "stats", "bp" } + arguments + QStringList { "--dir", folder.path() });
    }

    TemporaryProgramFolder folder;
};

QStringList simplifiedLines(const QString& text)
{
    QStringList lines;
    for (const QString& line : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        lines.append(line.simplified());
    return lines;
}

} // namespace

TEST_F(DataToolStats, TextRoundsAsTheScreenAndFollowsTheStoredGuideline)
{
    ASSERT_TRUE(ProgramSettings(folder.folder()).setBloodPressureGuideline("esh"));
    const DataToolRun run = stats({ "Dee" });
    ASSERT_EQ(run.exitCode, 0) << run.errText().toStdString();
    EXPECT_EQ(simplifiedLines(run.outText()),
        QStringList({
            "Dee",
            "Guideline: ESH 2023",
            "Readings: 7, 2026-03-13 to 2026-03-20",
            "Minimum Average Maximum",
            "Systolic 120 138 160",
            "Diastolic 78 87 100",
            "Pulse 68 74 80",
            "Morning: 142/89, pulse 75 (4 readings)",
            "Evening: 138/87, pulse 73 (2 readings)",
            "Home-monitoring week:",
            "Week of 2026-03-14 to 2026-03-20, day 1 left out: 2026-03-15 to 2026-03-20",
            "130.8/82.8, pulse 71 (5 readings on 4 of 6 days with readings)",
            "Below the home threshold of 135/85 (ESH 2023)",
            "Categories (ESH 2023):",
            "Optimal 0",
            "Normal 2",
            "High normal 2",
            "Grade 1 2",
            "Grade 2 1",
            "Grade 3 0",
            "Isolated systolic (also in its grade) 1",
            "Isolated diastolic (also in its grade) 0",
        }));
}

TEST_F(DataToolStats, JsonGivesTheFiguresToFourDecimals)
{
    const DataToolRun run = stats({ "Dee", "--format", "json", "--guideline", "acc-aha" });
    ASSERT_EQ(run.exitCode, 0) << run.errText().toStdString();
    const QJsonObject json = QJsonDocument::fromJson(run.out).object();
    EXPECT_EQ(json["name"].toString(), "Dee");
    EXPECT_EQ(json["guideline"].toString(), "acc-aha");
    EXPECT_EQ(json["readings"].toInt(), 7);
    EXPECT_EQ(json["first"].toString(), "2026-03-13");
    EXPECT_EQ(json["last"].toString(), "2026-03-20");
    const QJsonObject systolic = json["systolic"].toObject();
    EXPECT_EQ(systolic["min"].toDouble(), 120);
    // 964 / 7.
    EXPECT_EQ(systolic["average"].toDouble(), 137.7143);
    EXPECT_EQ(systolic["max"].toDouble(), 160);
    EXPECT_DOUBLE_EQ(json["pulse"].toObject()["average"].toDouble(), 74);
    const QJsonObject morning = json["morning"].toObject();
    EXPECT_EQ(morning["readings"].toInt(), 4);
    EXPECT_DOUBLE_EQ(morning["diastolic"].toDouble(), 89.25);
    EXPECT_DOUBLE_EQ(morning["pulse"].toDouble(), 74.5);
    EXPECT_EQ(json["evening"].toObject()["readings"].toInt(), 2);
    const QJsonObject week = json["home_week"].toObject();
    EXPECT_EQ(week["from"].toString(), "2026-03-15");
    EXPECT_EQ(week["to"].toString(), "2026-03-20");
    EXPECT_EQ(week["readings"].toInt(), 5);
    EXPECT_DOUBLE_EQ(week["systolic"].toDouble(), 130.8);
    EXPECT_DOUBLE_EQ(week["diastolic"].toDouble(), 82.8);
    EXPECT_EQ(week["averages_text"].toString(), "130.8/82.8");
    // 130.8 is at or over ACC/AHA's 130, though below the 135 of the others.
    EXPECT_TRUE(week["above_threshold"].toBool());
    EXPECT_EQ(json["categories"].toObject(),
        QJsonObject({ { "Normal", 0 }, { "Elevated", 1 }, { "Stage 1", 3 }, { "Stage 2", 3 },
            { "Hypertensive crisis", 0 } }));

    // Two days of readings make no home week.
    const DataToolRun eve = stats({ "Eve", "--format=json" });
    ASSERT_EQ(eve.exitCode, 0) << eve.errText().toStdString();
    const QJsonObject few = QJsonDocument::fromJson(eve.out).object();
    EXPECT_EQ(few["guideline"].toString(), "own");
    EXPECT_TRUE(few["home_week"].isNull());
    EXPECT_EQ(few["home_week_days"].toInt(), 2);
    EXPECT_EQ(few["categories"].toObject()["Normal"].toInt(), 1);
    EXPECT_EQ(few["categories"].toObject()["Prehypertension"].toInt(), 1);
    EXPECT_TRUE(stats({ "Eve" }).outText().contains(
        "Not enough days (2 of 6 days with readings, 4 needed)"));
}

TEST_F(DataToolStats, RefusesWhatItCannotUse)
{
    const struct {
        QStringList arguments;
        int exitCode;
        const char* message;
    } cases[] = {
        { { "Dee", "--format", "csv" }, 2, "stats takes --format text or json" },
        { { "Dee", "--guideline", "who" }, 2, "unknown guideline \"who\"" },
        { { "Dee", "--show" }, 2, "--show belongs to export" },
        { { "Nobody" }, 1, "no individual named \"Nobody\"" },
        { {}, 2, "stats bp takes a NAME" },
    };
    for (const auto& c : cases) {
        const DataToolRun run = stats(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.message;
        EXPECT_TRUE(run.errText().contains(QLatin1String(c.message)))
            << run.errText().toStdString();
        EXPECT_TRUE(run.out.isEmpty());
    }
    const DataToolRun exported
        = runDataTool({ "export", "bp", "Dee", "--guideline", "esh", "--dir", folder.path() });
    EXPECT_EQ(exported.exitCode, 2);
    EXPECT_TRUE(exported.errText().contains("--guideline belongs to stats bp and report bp"));
}

TEST_F(DataToolStats, TheReportsSummaryPageComesFirst)
{
    QTemporaryDir outputs;
    const QString path = outputs.filePath("dee.pdf");
    const DataToolRun run = runDataTool({ "report", "bp", "Dee", "-o", path, "--options",
        "summary,graph", "--guideline", "esh", "--paper", "letter", "--dir", folder.path() });
    ASSERT_EQ(run.exitCode, 0) << run.errText().toStdString();
    const PdfInspection pdf(path);
    const QStringList summary = pdf.lines(0);
    for (const char* expected : {
             "Blood Pressure Summary",
             "Guideline: ESH 2023",
             "Period: March 13, 2026 to March 20, 2026",
             "Readings: 7",
             "Minimum Average Maximum",
             "Systolic (mm Hg) 120 138 160",
             "Diastolic (mm Hg) 78 87 100",
             "Pulse 68 74 80",
             "Morning (4:00 AM to 11:59 AM): 142/89, pulse 75 (4 readings)",
             "Evening (6:00 PM to 11:59 PM): 138/87, pulse 73 (2 readings)",
             "130.8/82.8, pulse 71 (5 readings on 4 of 6 days with readings)",
             "Below the home threshold of 135/85 (ESH 2023)",
             "Readings in each category (ESH 2023):",
             "High normal 2",
             "Grade 2 1",
             "Isolated systolic (also in its grade) 1",
             "Isolated diastolic (also in its grade) 0",
         })
        EXPECT_TRUE(summary.contains(QLatin1String(expected))) << expected << "\n"
                                                               << summary.join('\n').toStdString();
    // The table starts on the next page as its page 1, with its averages.
    EXPECT_EQ(pdf.pagesWith("Blood Pressure Data").value(0), 1);
    EXPECT_TRUE(pdf.pagesWith("Blood Pressure Data - Page").isEmpty());
    EXPECT_EQ(pdf.pagesWith("Categories: ESH 2023"), QList<int>({ 1 }));
    EXPECT_EQ(pdf.pagesWith("Average: 138 87 ( 74 )"), QList<int>({ 1 }));
    EXPECT_EQ(pdf.pagesWith("March 16, 2026 8:00 PM 140* ISH 88 72"), QList<int>({ 1 }));
    EXPECT_EQ(pdf.pagesWith("March 14, 2026 7:00 AM 160** 100** 80"), QList<int>({ 1 }));
    // Without the option there is no summary page.
    ASSERT_EQ(
        runDataTool({ "report", "bp", "Dee", "-o", path, "--dir", folder.path() }).exitCode, 0);
    EXPECT_TRUE(PdfInspection(path).pagesWith("Blood Pressure Summary").isEmpty());
}

// Readings at ESH's bounds of isolated hypertension.
TEST_F(DataToolStats, IsolatedDiastolicIsCountedAndMarkedBesideIsolatedSystolic)
{
    addIndividual(QStringLiteral("Fay"),
        {
            reading(1, "7:00 AM", "140", "89", "70"),
            reading(2, "7:00 AM", "139", "90", "70"),
            reading(3, "7:00 AM", "140", "90", "70"),
            reading(4, "7:00 AM", "139", "89", "70"),
            reading(5, "7:00 AM", "120", "95", "70"),
        });
    const DataToolRun esh = stats({ "Fay", "--format", "json", "--guideline", "esh" });
    ASSERT_EQ(esh.exitCode, 0) << esh.errText().toStdString();
    const QJsonObject json = QJsonDocument::fromJson(esh.out).object();
    EXPECT_EQ(json["isolated_systolic"].toInt(), 1);
    EXPECT_EQ(json["isolated_diastolic"].toInt(), 2);
    // Other guidelines have no such row, so neither key.
    const QJsonObject own
        = QJsonDocument::fromJson(stats({ "Fay", "--format", "json" }).out).object();
    EXPECT_FALSE(own.contains("isolated_systolic"));
    EXPECT_FALSE(own.contains("isolated_diastolic"));

    QTemporaryDir outputs;
    const QString path = outputs.filePath("fay.pdf");
    ASSERT_EQ(runDataTool({ "report", "bp", "Fay", "-o", path, "--guideline", "esh", "--dir",
                              folder.path() })
                  .exitCode,
        0);
    const PdfInspection pdf(path);
    EXPECT_EQ(pdf.pagesWith("March 01, 2026 7:00 AM 140* ISH 89 70"), QList<int>({ 0 }));
    EXPECT_EQ(pdf.pagesWith("March 02, 2026 7:00 AM 139 90* IDH 70"), QList<int>({ 0 }));
    EXPECT_EQ(pdf.pagesWith("March 03, 2026 7:00 AM 140* 90* 70"), QList<int>({ 0 }));
    EXPECT_EQ(pdf.pagesWith("March 05, 2026 7:00 AM 120 95* IDH 70"), QList<int>({ 0 }));
    EXPECT_EQ(pdf.pagesWith("IDH: Isolated diastolic"), QList<int>({ 0 }));
}

TEST_F(DataToolStats, TheExportsCategoriesFollowTheStoredGuideline)
{
    const auto exported = [this] {
        const DataToolRun run
            = runDataTool({ "export", "bp", "Dee", "--format", "json", "--dir", folder.path() });
        EXPECT_EQ(run.exitCode, 0) << run.errText().toStdString();
        return QJsonDocument::fromJson(run.out).object();
    };
    QJsonObject json = exported();
    EXPECT_EQ(json["guideline"].toString(), "own");
    EXPECT_EQ(json["rows"].toArray().at(3).toObject()["systolic_category"].toString(),
        "High Blood Pressure Stage 1");
    ASSERT_TRUE(ProgramSettings(folder.folder()).setBloodPressureGuideline("esh"));
    json = exported();
    EXPECT_EQ(json["guideline"].toString(), "esh");
    const QJsonObject row = json["rows"].toArray().at(3).toObject();
    EXPECT_EQ(row["systolic_category"].toString(), "Grade 1");
    EXPECT_EQ(row["diastolic_category"].toString(), "High normal");
}
