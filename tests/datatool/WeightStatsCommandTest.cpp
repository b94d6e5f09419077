#include "DataToolProcess.h"
#include "TemporaryProgramFolder.h"

#include "storage/DataFolderLock.h"
#include "storage/StoredDate.h"
#include "weight/WeightFile.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QRegularExpression>

#include <gtest/gtest.h>

// The fixture's Ann: 200, 198.5 and 199 a week apart from January 1, 2013,
// goal 150. A week pulls the trend by 1 - 0.9^7 of the way, so it runs
// 200, 199.2174, 199.1040; its least-squares slope through days -14, -7 and 0
// is -0.448 a week, which reaches 150 in 2015, long gone by.
namespace {

DataToolRun run(const TemporaryProgramFolder& folder, QStringList arguments)
{
    return runDataTool(arguments << "--dir" << folder.path());
}

} // namespace

TEST(WeightStatsCommand, JsonCarriesTheFiguresToFourDecimals)
{
    TemporaryProgramFolder folder;
    copyFixture("logs", folder);
    const DataToolRun stats = run(folder, { "stats", "weight", "ann", "--format", "json" });
    ASSERT_EQ(stats.exitCode, 0) << stats.errText().toStdString();
    const QJsonObject json = QJsonDocument::fromJson(stats.out).object();
    EXPECT_EQ(json["name"].toString(), "Ann");
    // No unit was chosen for Ann: her weights are plain numbers.
    EXPECT_TRUE(json["unit"].isNull());
    EXPECT_EQ(json["weigh_ins"].toInt(), 3);
    EXPECT_EQ(
        json["first"].toObject(), (QJsonObject { { "date", "2013-01-01" }, { "weight", 200 } }));
    EXPECT_EQ(
        json["last"].toObject(), (QJsonObject { { "date", "2013-01-15" }, { "weight", 199 } }));
    EXPECT_TRUE(stats.outText().contains("\"trend\": 199.104,")) << stats.outText().toStdString();
    EXPECT_TRUE(stats.outText().contains("\"weekly_rate\": -0.448,"));
    EXPECT_TRUE(json["projected_goal_date"].isNull());
    EXPECT_EQ(json["goal_state"].toString(), "date_passed");
    EXPECT_TRUE(json["bmi"].isNull());
    const QJsonArray weekly = json["weekly"].toArray();
    ASSERT_EQ(weekly.size(), 3);
    EXPECT_EQ(weekly[0].toObject()["week"].toString(), "2013-W01");
    EXPECT_EQ(weekly[2].toObject()["week"].toString(), "2013-W03");
    EXPECT_EQ(weekly[1].toObject()["weigh_ins"].toInt(), 1);
    EXPECT_DOUBLE_EQ(weekly[1].toObject()["average"].toDouble(), 198.5);
    const QJsonArray monthly = json["monthly"].toArray();
    ASSERT_EQ(monthly.size(), 1);
    EXPECT_EQ(monthly[0].toObject()["month"].toString(), "2013-01");
    EXPECT_EQ(monthly[0].toObject()["weigh_ins"].toInt(), 3);
    EXPECT_EQ(monthly[0].toObject()["average"].toDouble(), 199.1667);

    // Goal already below the trend's start, and the trend falling: a goal
    // above the start is a gain goal the trend moves away from.
    QByteArray ann = folder.read("Ann.Fil");
    ann.replace("\"150\"", "\"250\"");
    folder.write("Ann.Fil", ann);
    const QJsonObject away
        = QJsonDocument::fromJson(run(folder, { "stats", "weight", "Ann", "--format", "json" }).out)
              .object();
    EXPECT_TRUE(away["projected_goal_date"].isNull());
    EXPECT_EQ(away["goal_state"].toString(), "not_approaching");
}

// Nine weekly weigh-ins from 184.0 to 178.8 lb ending three days ago, as a
// new user who weighs on Tuesdays keeps them.
TEST(WeightStatsCommand, AWeeklyWeigherGetsTheRateOfTheWeighIns)
{
    TemporaryProgramFolder folder;
    const QList<double> weights { 184.0, 183.2, 182.9, 182.0, 181.6, 180.8, 180.2, 179.4, 178.8 };
    const QDate last = QDate::currentDate().addDays(-3);
    WeightFile file;
    file.name = "Wes";
    file.beginningWeight = "184";
    file.goalWeight = "165";
    for (qsizetype week = 0; week < weights.size(); ++week)
        file.rows.append(
            { StoredDate::longText(last.addDays(7 * (week - 8))), QString::number(weights[week]) });
    ASSERT_TRUE(file.SaveWeightFile(folder.folder()));
    IndividualList list = WeightFile::LoadIndividualList(folder.folder());
    list.add("Wes");
    ASSERT_TRUE(WeightFile::WriteIndividualList(folder.folder(), list));
    ASSERT_EQ(
        run(folder, { "set", "weight", "Wes", "--unit", "lb", "--relabel", "--height", "65.5" })
            .exitCode,
        0);

    const DataToolRun stats = run(folder, { "stats", "weight", "Wes", "--format", "json" });
    ASSERT_EQ(stats.exitCode, 0) << stats.errText().toStdString();
    const QJsonObject json = QJsonDocument::fromJson(stats.out).object();

    // The weigh-ins' own least-squares line over the same 28 days: days -21,
    // -14, -7 and 0.
    double slope = 0;
    {
        const QList<double> y = weights.mid(5);
        const double meanY = (y[0] + y[1] + y[2] + y[3]) / 4;
        const QList<double> x { -10.5, -3.5, 3.5, 10.5 };
        double across = 0;
        double spread = 0;
        for (int i = 0; i < 4; ++i) {
            across += x[i] * (y[i] - meanY);
            spread += x[i] * x[i];
        }
        slope = across / spread;
    }
    EXPECT_NEAR(json["weekly_rate"].toDouble(), 7 * slope, 0.1);
    const double trend = json["trend"].toDouble();
    EXPECT_NEAR(trend, 179.3, 0.15);
    EXPECT_NEAR(json["bmi"].toDouble(), 703 * trend / (65.5 * 65.5), 1e-3);
    EXPECT_EQ(json["bmi_band"].toString(), "25-29.9");
    EXPECT_EQ(json["goal_state"].toString(), "expected");
    const QDate projected = QDate::fromString(json["projected_goal_date"].toString(), Qt::ISODate);
    // About five months on at 0.6 lb a week, never before tomorrow.
    EXPECT_GT(projected, last.addDays(130));
    EXPECT_LT(projected, last.addDays(180));

    const QString text = run(folder, { "stats", "weight", "Wes" }).outText();
    EXPECT_TRUE(text.contains("Weekly rate: -0.7 lb a week\n")) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Goal expected about %1 (at 0.7 lb a week)\n")
                                  .arg(QLocale(QLocale::English, QLocale::UnitedStates)
                                           .toString(projected, "MMMM d, yyyy"))))
        << text.toStdString();
    EXPECT_TRUE(text.contains("BMI 29.4 (Overweight, 25-29.9)\n"));

    // A goal the last weigh-in has passed: no date, and the JSON says why.
    QByteArray wes = folder.read("Wes.Fil");
    wes.replace("\"165\"", "\"180\"");
    folder.write("Wes.Fil", wes);
    const DataToolRun passed = run(folder, { "stats", "weight", "Wes", "--format", "json" });
    const QJsonObject reached = QJsonDocument::fromJson(passed.out).object();
    EXPECT_TRUE(reached.contains("projected_goal_date"));
    EXPECT_TRUE(reached["projected_goal_date"].isNull());
    EXPECT_EQ(reached["goal_state"].toString(), "reached");
    EXPECT_FALSE(run(folder, { "stats", "weight", "Wes" }).outText().contains("Goal"));
}

TEST(WeightStatsCommand, TextRoundsToOneDecimalAndFollowsTheSetUnit)
{
    TemporaryProgramFolder folder;
    copyFixture("logs", folder);
    const DataToolRun set = run(folder,
        { "set", "weight", "Ann", "--unit", "lb", "--relabel", "--stones", "on", "--height",
            "66" });
    ASSERT_EQ(set.exitCode, 0) << set.errText().toStdString();
    EXPECT_EQ(set.outText(), "Ann: weights in pounds, shown with stones, height 66 in.\n");

    const DataToolRun stats = run(folder, { "stats", "weight", "Ann" });
    ASSERT_EQ(stats.exitCode, 0) << stats.errText().toStdString();
    EXPECT_EQ(stats.outText(),
        "Name: Ann\n"
        "Unit: lb\n"
        "Weigh-ins: 3\n"
        "First: January 01, 2013, 200.0 lb (14 st 4.0 lb)\n"
        "Last: January 15, 2013, 199.0 lb (14 st 3.0 lb)\n"
        "Trend Weight: 199.1 lb (14 st 3.1 lb)\n"
        "Weekly rate: -0.4 lb a week\n"
        "BMI 32.1 (Obese, 30 or more)\n"
        "\n"
        "Weekly averages:\n"
        "  2013-W01    1 weigh-in   average 200.0 lb\n"
        "  2013-W02    1 weigh-in   average 198.5 lb  change -1.5\n"
        "  2013-W03    1 weigh-in   average 199.0 lb  change +0.5\n"
        "\n"
        "Monthly averages:\n"
        "  2013-01     3 weigh-ins  average 199.2 lb\n");

    // Kilograms: the height keeps its length, and the JSON names the unit.
    ASSERT_EQ(run(folder, { "set", "weight", "ann", "--unit", "kg", "--relabel" }).exitCode, 0);
    const QJsonObject json
        = QJsonDocument::fromJson(run(folder, { "stats", "weight", "Ann", "--format", "json" }).out)
              .object();
    EXPECT_EQ(json["unit"].toString(), "kg");
    // 199.104 kg at 167.6 cm.
    EXPECT_NEAR(json["bmi"].toDouble(), 199.104 / (1.676 * 1.676), 1e-4);
    EXPECT_EQ(json["bmi_band"].toString(), "30 or more");
}

TEST(WeightSettingsCommand, RefusesBadUsageUnknownNamesAndAnOpenFolder)
{
    TemporaryProgramFolder folder;
    copyFixture("logs", folder);
    const QByteArray ann = folder.read("Ann.Fil");
    struct Case {
        QStringList arguments;
        int exitCode;
        const char* said;
    };
    const QList<Case> cases = {
        { { "set", "weight", "Ann" }, 2, "--unit" },
        { { "set", "weight", "Ann", "--unit", "st" }, 2, "unknown unit" },
        { { "set", "weight", "Ann", "--unit", "kg", "--stones", "on" }, 2, "pounds" },
        { { "set", "weight", "Ann", "--unit", "lb", "--stones", "yes" }, 2, "on or off" },
        { { "set", "weight", "Ann", "--unit", "lb", "--height", "tall" }, 2, "number" },
        { { "set", "weight", "Ann", "--unit", "lb", "--height", "500" }, 2, "inches" },
        { { "set", "weight", "Nobody", "--unit", "lb" }, 1, "no individual" },
        // Ann has weigh-ins: which of the two must be said, and converting
        // needs a unit to convert from.
        { { "set", "weight", "Ann", "--unit", "kg" }, 2, "--convert" },
        { { "set", "weight", "Ann", "--unit", "kg", "--convert", "--relabel" }, 2, "exclude" },
        { { "set", "weight", "Ann", "--unit", "kg", "--convert" }, 2, "no unit yet" },
        { { "stats", "weight", "Ann", "--relabel" }, 2, "belong to set" },
        { { "stats", "weight", "Ann", "--unit", "kg" }, 2, "belong to set" },
        { { "stats", "weight", "Ann", "--format", "csv" }, 2, "unknown format" },
        { { "stats", "weight" }, 2, "NAME" },
    };
    for (const Case& c : cases) {
        const DataToolRun refused = run(folder, c.arguments);
        EXPECT_EQ(refused.exitCode, c.exitCode) << c.arguments.join(' ').toStdString();
        EXPECT_TRUE(refused.errText().contains(c.said)) << refused.errText().toStdString();
    }
    EXPECT_FALSE(folder.exists("Halvorn.ini"));

    {
        DataFolderLock program(folder.path());
        ASSERT_EQ(program.acquire(), DataFolderLock::Outcome::Acquired);
        const DataToolRun open
            = run(folder, { "set", "weight", "Ann", "--unit", "kg", "--relabel" });
        EXPECT_EQ(open.exitCode, 1);
        EXPECT_FALSE(folder.exists("Halvorn.ini"));
        // Reading goes on while the program runs.
        EXPECT_EQ(run(folder, { "stats", "weight", "Ann" }).exitCode, 0);
    }

    // A settings file past reading: nothing is written, the weight files
    // stay, and stats says why its figures have no unit.
    ASSERT_TRUE(QDir(folder.path()).mkdir("Halvorn.ini"));
    const DataToolRun damaged
        = run(folder, { "set", "weight", "Ann", "--unit", "kg", "--relabel" });
    EXPECT_EQ(damaged.exitCode, 1);
    EXPECT_TRUE(damaged.errText().contains("Halvorn.ini")) << damaged.errText().toStdString();
    const DataToolRun stats = run(folder, { "stats", "weight", "Ann" });
    EXPECT_EQ(stats.exitCode, 1);
    EXPECT_TRUE(stats.outText().startsWith("Name: Ann\nUnit: none chosen\n"));
    EXPECT_TRUE(stats.errText().contains("without a unit")) << stats.errText().toStdString();
    EXPECT_EQ(folder.read("Ann.Fil"), ann);
}

// A person with a unit exports it in the weight column's header, and that
// export imports again.
TEST(WeightSettingsCommand, TheExportNamesTheUnitAndImportsAgain)
{
    TemporaryProgramFolder folder;
    copyFixture("logs", folder);
    const QByteArray plain = run(folder, { "export", "weight", "Ann" }).out;
    EXPECT_TRUE(plain.startsWith("row,date,weight,weight_display,"));

    EXPECT_FALSE(
        QJsonDocument::fromJson(run(folder, { "export", "weight", "Ann", "--format", "json" }).out)
            .object()
            .contains("unit"));

    ASSERT_EQ(run(folder, { "set", "weight", "Ann", "--unit", "kg", "--relabel" }).exitCode, 0);
    const DataToolRun exported = run(folder, { "export", "weight", "Ann" });
    EXPECT_TRUE(exported.out.startsWith("row,date,weight (kg),weight_display,"))
        << exported.outText().toStdString();
    const QJsonObject json = QJsonDocument::fromJson(
        run(folder, { "export", "weight", "Ann", "--format", "json" }).out)
                                 .object();
    EXPECT_EQ(json["unit"].toString(), "kg");

    folder.write("ann.csv", exported.out);
    const DataToolRun imported
        = run(folder, { "import", "weight", "Dee", folder.folder().filePath("ann.csv") });
    EXPECT_EQ(imported.exitCode, 0) << imported.errText().toStdString();
    EXPECT_EQ(run(folder, { "stats", "weight", "Dee", "--format", "json" }).exitCode, 0);
}

// Until a unit is chosen the text names none; a change of unit on a person
// with weigh-ins converts them, rounded to a tenth, or only relabels them,
// leaving the weight file's bytes as they were.
TEST(WeightSettingsCommand, AUnitChangeConvertsOrRelabelsTheWeighIns)
{
    TemporaryProgramFolder folder;
    copyFixture("logs", folder);
    const QByteArray pounds = folder.read("Ann.Fil");
    const DataToolRun plain = run(folder, { "stats", "weight", "Ann" });
    EXPECT_TRUE(plain.outText().startsWith("Name: Ann\nUnit: none chosen\n"));
    EXPECT_TRUE(plain.outText().contains("\nTrend Weight: 199.1\n"))
        << plain.outText().toStdString();
    EXPECT_TRUE(plain.outText().contains("  2013-01     3 weigh-ins  average 199.2\n"));
    EXPECT_FALSE(plain.outText().contains(QRegularExpression(R"(\b(lb|kg)\b)")));

    ASSERT_EQ(run(folder, { "set", "weight", "Ann", "--unit", "lb", "--relabel" }).exitCode, 0);
    EXPECT_EQ(folder.read("Ann.Fil"), pounds);

    const DataToolRun converted
        = run(folder, { "set", "weight", "Ann", "--unit", "kg", "--convert" });
    ASSERT_EQ(converted.exitCode, 0) << converted.errText().toStdString();
    EXPECT_EQ(converted.outText(), "Ann: weights in kilograms, weights converted.\n");
    // The converted file is written whole by the log's own writer, which
    // quotes the empty values the fixture left bare.
    QList<QByteArray> lines = pounds.split('\n');
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
        if (lines[i] == "\r")
            lines[i] = "\"\"\r";
    }
    QByteArray kilograms = lines.join('\n');
    kilograms.replace("\"200\"", "\"90.7\"")
        .replace("\"150\"", "\"68\"")
        .replace("\"198.5\"", "\"90\"")
        .replace("\"199\"", "\"90.3\"");
    EXPECT_EQ(folder.read("Ann.Fil"), kilograms);

    // Relabelled back: the kilogram numbers stay, now called pounds.
    ASSERT_EQ(run(folder, { "set", "weight", "Ann", "--unit", "lb", "--relabel" }).exitCode, 0);
    EXPECT_EQ(folder.read("Ann.Fil"), kilograms);
    EXPECT_TRUE(
        run(folder, { "stats", "weight", "Ann" }).outText().startsWith("Name: Ann\nUnit: lb\n"));
}
