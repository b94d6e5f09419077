#include "DataToolProcess.h"
#include "TemporaryProgramFolder.h"

#include "FailingSaves.h"

#include "bloodpressure/BloodPressureFile.h"
#include "datatool/DataTool.h"
#include "passwords/PasswordFiles.h"
#include "storage/CsvReader.h"
#include "storage/NumberText.h"
#include "storage/StoredDate.h"
#include "weight/WeightFile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <cmath>

namespace {

QJsonObject exportJson(const TemporaryProgramFolder& folder, const QStringList& what)
{
    const DataToolRun run = runDataTool(QStringList { "export" } + what
        + QStringList { "--format", "json", "--dir", folder.path() });
    EXPECT_EQ(run.exitCode, 0) << run.errText().toStdString();
    return QJsonDocument::fromJson(run.out).object();
}

// The keeper holding the entries, scrambled with a seeded generator.
void storeEntries(const TemporaryProgramFolder& folder, const QList<PasswordEntry>& entries)
{
    QRandomGenerator random(7);
    PasswordFiles files(folder.folder(), &random);
    for (const PasswordEntry& entry : entries)
        ASSERT_TRUE(files.AddEntry(entry).succeeded) << entry.name.toStdString();
}

// Every number in a JSON value, and every text of a field that reads as a
// number, with where it was found.
void collectNumbers(
    const QJsonValue& value, const QString& where, QList<QPair<QString, QJsonValue>>& found)
{
    if (value.isArray()) {
        const QJsonArray array = value.toArray();
        for (qsizetype i = 0; i < array.size(); ++i)
            collectNumbers(array[i], where + QStringLiteral("[%1]").arg(i), found);
    } else if (value.isObject()) {
        const QJsonObject object = value.toObject();
        for (auto it = object.begin(); it != object.end(); ++it)
            collectNumbers(it.value(), where + u'.' + it.key(), found);
    } else if (value.isDouble() || (value.isString() && NumberText::toNumber(value.toString()))) {
        found.append({ where, value });
    }
}

// A number as a person would write it: no exponent, no more decimals than
// allowed, no "-0".
bool reads(const QJsonValue& value, int decimals)
{
    if (value.isDouble()) {
        const double scale = std::pow(10.0, decimals);
        const double number = value.toDouble();
        return std::round(number * scale) / scale == number
            && !(number == 0 && std::signbit(number));
    }
    const QString text = value.toString().trimmed();
    const qsizetype point = text.indexOf(u'.');
    return !text.contains(u'e', Qt::CaseInsensitive) && text != u"-0"
        && (point < 0 || text.size() - point - 1 <= decimals);
}

} // namespace

// A log whose changes and differences come out of single precision with a
// tail: 182.7 - 183 is -0.2999878 there, 183.3 against a beginning of 183.3
// a few millionths. What a spreadsheet or a script reads holds none of it.
TEST(DataToolExport, ExportsAndStatsHoldNoFloatNoise)
{
    TemporaryProgramFolder folder;
    WeightFile weights;
    weights.name = "Noe";
    weights.beginningWeight = "183.3";
    weights.goalWeight = "150";
    const QStringList typed { "183.0", "182.7", "183.3", "182.4", "181.9", "180.1", "180.3" };
    for (qsizetype i = 0; i < typed.size(); ++i)
        weights.rows.append({ StoredDate::longText(QDate(2026, 11, 2).addDays(3 * i)), typed[i] });
    IndividualList people = WeightFile::LoadIndividualList(folder.folder());
    people.add("Noe");
    ASSERT_TRUE(weights.SaveWeightFile(folder.folder()));
    ASSERT_TRUE(WeightFile::WriteIndividualList(folder.folder(), people));
    BloodPressureFile readings;
    readings.name = "Noe";
    for (int day = 0; day < 7; ++day)
        readings.rows.append({ StoredDate::longText(QDate(2026, 11, 2).addDays(day)), "7:00 AM",
            QString::number(131 + day % 3), QString::number(84 + day % 2), "71" });
    IndividualList patients = BloodPressureFile::emptyIndividualList();
    ASSERT_TRUE(patients.addIndividual(
        folder.folder(), "Noe", [&] { return readings.SaveBloodPressureFile(folder.folder()); }));

    QList<QPair<QString, QJsonValue>> figures;
    for (const char* kind : { "weight", "bp" }) {
        const DataToolRun csv = runDataTool({ "export", kind, "Noe", "--dir", folder.path() });
        ASSERT_EQ(csv.exitCode, 0) << csv.errText().toStdString();
        const std::optional<QList<CsvReader::Record>> records = CsvReader::parse(csv.out);
        ASSERT_TRUE(records);
        for (const CsvReader::Record& record : *records) {
            for (const QString& field : record.fields)
                collectNumbers(
                    field, QStringLiteral("%1 CSV line %2").arg(kind).arg(record.line), figures);
        }
        collectNumbers(
            exportJson(folder, { kind, "Noe" }), QStringLiteral("%1 JSON").arg(kind), figures);
    }
    // The weights were typed with one decimal; every derived figure has one.
    ASSERT_GT(figures.size(), 60);
    for (const auto& [where, value] : figures)
        EXPECT_TRUE(reads(value, 1)) << where.toStdString() << ": "
                                     << QJsonDocument(QJsonArray { value }).toJson().toStdString();

    QList<QPair<QString, QJsonValue>> statistics;
    for (const QStringList& command :
        { QStringList { "weight", "Noe" }, QStringList { "bp", "Noe", "--guideline", "esh" } }) {
        const DataToolRun stats = runDataTool(QStringList { "stats" } + command
            + QStringList { "--format", "json", "--dir", folder.path() });
        ASSERT_EQ(stats.exitCode, 0) << stats.errText().toStdString();
        EXPECT_FALSE(stats.out.contains("-0,") || stats.out.contains("-0\n"));
        collectNumbers(QJsonDocument::fromJson(stats.out).object(),
            QStringLiteral("stats ") + command.first(), statistics);
    }
    ASSERT_GT(statistics.size(), 20);
    for (const auto& [where, value] : statistics)
        EXPECT_TRUE(reads(value, 4)) << where.toStdString() << ": "
                                     << QJsonDocument(QJsonArray { value }).toJson().toStdString();
}

// The log's example: weigh-ins 200, 198.5, 199 from a beginning of 200. The
// CSV leaves the 46 empty rows out and keeps the comment's line break.
TEST(DataToolExport, WeightCsvShowsTheDerivedColumnsAsTheScreenDoes)
{
    TemporaryProgramFolder folder;
    copyFixture("logs", folder);
    const DataToolRun run = runDataTool({ "export", "weight", "ann", "--dir", folder.path() });
    ASSERT_EQ(run.exitCode, 0) << run.errText().toStdString();
    EXPECT_EQ(run.out,
        QByteArray("row,date,weight,weight_display,change,change_display,change_bold,difference,"
                   "difference_display,difference_bold\r\n"
                   "1,\"January 01, 2013\",200,200.,N/A,N/A,false,0,.,false\r\n"
                   "2,\"January 08, 2013\",198.5,198.5,-1.5,-1.5,true,-1.5,-1.5,true\r\n"
                   "3,\"January 15, 2013\",199,199.,0.5,.5,false,-1,-1.,true\r\n"));
}

TEST(DataToolExport, WeightJsonCarriesHeaderTrendsGoalAndEmptyRows)
{
    TemporaryProgramFolder folder;
    copyFixture("logs", folder);
    const QJsonObject ann = exportJson(folder, { "weight", "Ann" });
    EXPECT_EQ(ann["name"].toString(), "Ann");
    EXPECT_EQ(ann["beginning_weight"].toString(), "200");
    EXPECT_EQ(ann["goal_weight"].toString(), "150");
    EXPECT_EQ(ann["exercise_types"].toString(), "Walking");
    EXPECT_EQ(ann["comments"].toString(), "Feeling good,\r\nsecond line");
    EXPECT_EQ(ann["last_entry_trend_icon"].toString(), "Sad1.ico");
    EXPECT_EQ(ann["beginning_weight_trend_icon"].toString(), "1.ico");
    EXPECT_FALSE(ann["goal_reached"].toBool());
    const QJsonArray rows = ann["rows"].toArray();
    ASSERT_EQ(rows.size(), 49);
    EXPECT_EQ(rows[3].toObject()["row"].toInt(), 4);
    EXPECT_EQ(rows[3].toObject()["date"].toString(), "");
    EXPECT_EQ(rows[2].toObject()["difference_display"].toString(), "-1.");

    // Last change -2, 12 below the beginning, goal still above: both "2.ico".
    const QJsonObject bob = exportJson(folder, { "weight", "Smith, Bob" });
    EXPECT_EQ(bob["last_entry_trend_icon"].toString(), "2.ico");
    EXPECT_EQ(bob["beginning_weight_trend_icon"].toString(), "2.ico");
    EXPECT_FALSE(bob["goal_reached"].toBool());
}

TEST(DataToolExport, WeightJsonShowsTheGoalReached)
{
    TemporaryProgramFolder folder;
    copyFixture("logs", folder);
    QByteArray bob = folder.read("Smith, Bob.Fil");
    bob.replace("\"168\"", "\"150\"");
    folder.write("Smith, Bob.Fil", bob);
    const QJsonObject json = exportJson(folder, { "weight", "Smith, Bob" });
    EXPECT_TRUE(json["goal_reached"].toBool());
    EXPECT_EQ(json["beginning_weight_trend_icon"].toString(), "2.ico");
}

// Categories at their bounds: 139 and 140 systolic, 110 diastolic.
TEST(DataToolExport, BloodPressureCsvClassifiesEachValue)
{
    TemporaryProgramFolder folder;
    copyFixture("logs", folder);
    const DataToolRun run = runDataTool({ "export", "bp", "Cy", "--dir", folder.path() });
    ASSERT_EQ(run.exitCode, 0) << run.errText().toStdString();
    EXPECT_EQ(run.out,
        QByteArray(
            "row,date,time,systolic,diastolic,pulse,systolic_category,diastolic_category\r\n"
            "1,\"March 05, 2012\",7:05 AM,120,80,70,Prehypertension,Prehypertension\r\n"
            "2,\"March 06, 2012\",8:15 PM,131,85,74,Prehypertension,Prehypertension\r\n"
            "3,\"March 07, 2012\",9:00 AM,139,110,66,Prehypertension,Hypertensive Crisis\r\n"
            "4,\"March 08, 2012\",9:30 AM,140,79,20,High Blood Pressure Stage 1,Normal\r\n"));
}

TEST(DataToolExport, BloodPressureJsonHoldsTheAveragesAsTheScreenShowsThem)
{
    TemporaryProgramFolder folder;
    BloodPressureFile file;
    file.name = "Dee";
    file.rows = { { "March 05, 2012", "7:05 AM", "120", "80", "70" },
        { "March 06, 2012", "8:15 PM", "131", "85", "74" } };
    IndividualList list = BloodPressureFile::emptyIndividualList();
    ASSERT_TRUE(list.addIndividual(
        folder.folder(), "Dee", [&] { return file.SaveBloodPressureFile(folder.folder()); }));

    const QJsonObject json = exportJson(folder, { "bp", "Dee" });
    const QJsonObject averages = json["averages"].toObject();
    EXPECT_EQ(averages["caption"].toString(), "Averages:");
    EXPECT_EQ(averages["systolic"].toString(), "126");
    EXPECT_EQ(averages["diastolic"].toString(), "83");
    EXPECT_EQ(averages["pulse"].toString(), "72");
    EXPECT_EQ(json["rows"].toArray().size(), 49);
    EXPECT_EQ(
        json["rows"].toArray()[1].toObject()["systolic_category"].toString(), "Prehypertension");
}

TEST(DataToolExport, PasswordsInPlainTextWhenShownOrWrittenToAFile)
{
    TemporaryProgramFolder folder;
    storeEntries(folder,
        { { "bank.example", "ann", "s3cret, \"quoted\"", "PIN\nsecond" },
            { "Mail", "ann@mail", "pw", "" } });
    const QMap<QString, QByteArray> before = folderContents(folder.path());

    const DataToolRun shown
        = runDataTool({ "export", "passwords", "--show", "--dir", folder.path() });
    ASSERT_EQ(shown.exitCode, 0) << shown.errText().toStdString();
    EXPECT_EQ(shown.out,
        QByteArray("name,record_number,sign_on,password,comment\r\n"
                   "bank.example,1,ann,\"s3cret, \"\"quoted\"\"\",\"PIN\nsecond\"\r\n"
                   "Mail,2,ann@mail,pw,\r\n"));

    TemporaryProgramFolder elsewhere;
    const QString output = elsewhere.filePath("entries.json");
    const DataToolRun written = runDataTool(
        { "export", "passwords", "--format", "json", "-o", output, "--dir", folder.path() });
    ASSERT_EQ(written.exitCode, 0) << written.errText().toStdString();
    EXPECT_TRUE(written.out.isEmpty());
    EXPECT_EQ(QFile::permissions(output) & (QFile::ReadGroup | QFile::ReadOther), 0);
    const QJsonArray entries
        = QJsonDocument::fromJson(elsewhere.read("entries.json")).object()["entries"].toArray();
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0].toObject()["password"].toString(), "s3cret, \"quoted\"");
    EXPECT_EQ(entries[1].toObject()["record_number"].toInt(), 2);

    EXPECT_EQ(folderContents(folder.path()), before);
}

TEST(DataToolExport, AnUnknownNameIsAProblemNamingTheList)
{
    TemporaryProgramFolder folder;
    copyFixture("logs", folder);
    const DataToolRun run = runDataTool({ "export", "weight", "Zed", "--dir", folder.path() });
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_TRUE(run.errText().contains("WeightTrker.Fil")) << run.errText().toStdString();
    EXPECT_TRUE(run.errText().contains("Zed"));
}

// Exporting must not create the files a missing password list lacks.
TEST(DataToolExport, ExportingNothingCreatesNoFile)
{
    TemporaryProgramFolder folder;
    const DataToolRun run
        = runDataTool({ "export", "passwords", "--show", "--dir", folder.path() });
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, QByteArray("name,record_number,sign_on,password,comment\r\n"));
    EXPECT_TRUE(folderContents(folder.path()).isEmpty());
}

TEST(DataToolExport, RefusesToWriteOverAFileOfTheProgramFolder)
{
    TemporaryProgramFolder folder;
    copyFixture("logs", folder);
    const QMap<QString, QByteArray> before = folderContents(folder.path());
    const DataToolRun run = runDataTool({ "export", "weight", "Ann", "-o",
        folder.filePath("WeightTrker.Fil"), "--dir", folder.path() });
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(folderContents(folder.path()), before);
}

// Not over a program file that does not exist yet either (the lock, the
// vault, the settings), nor as any new file inside the program folder, by
// whatever path or letter case: an export there would block the program, or
// leave the passwords in clear among its files.
TEST(DataToolExport, RefusesAnyOutputInsideTheProgramFolder)
{
    TemporaryProgramFolder folder;
    copyFixture("logs", folder);
    ASSERT_TRUE(QDir(folder.path()).mkdir("pictures"));
    TemporaryProgramFolder elsewhere;
    const QString link = elsewhere.filePath("program");
    ASSERT_TRUE(QFile::link(folder.path(), link));
    const QMap<QString, QByteArray> before = folderContents(folder.path());

    const QStringList outputs {
        folder.filePath("halvorn.lock"),
        folder.filePath("Secvault.vlt"),
        folder.filePath("SECVAULT.VLT"),
        folder.filePath("Secfile1.Fil"),
        folder.filePath("Secfile2.fil"),
        folder.filePath("Halvorn.ini"),
        folder.filePath("GColor4.Fil"),
        folder.filePath("halvorn-journal.json"),
        folder.filePath("WeightTrker.Fil"),
        folder.filePath("passwords.json"),
        folder.filePath("pictures/passwords.json"),
        link + "/halvorn.lock",
        elsewhere.filePath("../" + QFileInfo(folder.path()).fileName() + "/Secvault.vlt"),
    };
    for (const QString& output : outputs) {
        for (const QStringList& command :
            { QStringList { "export", "passwords", "--format", "json" },
                QStringList { "report", "weight", "Ann" } }) {
            SCOPED_TRACE((command.join(' ') + " -o " + output).toStdString());
            QBuffer out;
            QBuffer err;
            out.open(QIODevice::WriteOnly);
            err.open(QIODevice::WriteOnly);
            DataTool tool(out, err, false, folder.path());
            EXPECT_EQ(tool.run(command + QStringList { "-o", output }), 2);
            EXPECT_TRUE(err.data().contains("lies inside the program folder"))
                << err.data().toStdString();
        }
    }
    EXPECT_EQ(folderContents(folder.path()), before);
}

// A disk that fills part-way through the export: the earlier file stays, no
// half-written one appears beside it, and the user reads what happened.
TEST(DataToolExport, AnExportThatCannotBeWrittenSaysWhyAndKeepsTheEarlierFile)
{
    TemporaryProgramFolder folder;
    copyFixture("logs", folder);
    TemporaryProgramFolder elsewhere;
    elsewhere.write("ann.json", "earlier");
    QBuffer out;
    QBuffer err;
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);
    int status = 0;
    {
        FailingSaves diskFull(1000);
        DataTool tool(out, err, false, folder.path());
        status = tool.run({ "export", "weight", "Ann", "--format", "json", "-o",
            elsewhere.filePath("ann.json") });
    }
    EXPECT_EQ(status, 1);
    const QString message = QString::fromUtf8(err.data());
    EXPECT_TRUE(message.startsWith("halvorn-data: " + elsewhere.filePath("ann.json")
        + " could not be written: only 1,000 of "))
        << message.toStdString();
    EXPECT_TRUE(message.endsWith(" bytes could be written; the disk may be full\n"))
        << message.toStdString();
    EXPECT_EQ(elsewhere.read("ann.json"), "earlier");
    EXPECT_EQ(QDir(elsewhere.path()).entryList(QDir::Files), QStringList { "ann.json" });
}

// "> /dev/full": every kind of output that cannot reach its reader fails.
TEST(DataToolExport, OutputThatCannotBeWrittenIsAProblem)
{
    if (!QFile::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full here";
    TemporaryProgramFolder folder;
    copyFixture("logs", folder);
    const QList<QStringList> commands {
        { "export", "bp", "Cy" },
        { "list", "weight" },
        { "check" },
    };
    for (const QStringList& command : commands) {
        const DataToolRun run
            = runDataTool(command + QStringList { "--dir", folder.path() }, {}, "/dev/full");
        EXPECT_EQ(run.exitCode, 1) << command.join(' ').toStdString();
        EXPECT_EQ(run.errText(), "halvorn-data: standard output: No space left on device\n")
            << command.join(' ').toStdString();
    }
}

// The tool must show what the keeper shows, even of an entries file cut off
// one byte into a record.
TEST(DataToolExport, APasswordRecordCutAfterOneByteExportsAsTheKeeperReadsIt)
{
    TemporaryProgramFolder folder;
    storeEntries(folder, { { "Bank", "ann", "pw1", "" }, { "Mail", "bob", "pw2", "note" } });
    const PasswordFiles files(folder.folder());
    folder.write("Secfile2.fil", folder.read("Secfile2.fil").first(PasswordRecord::Length + 1));

    const QJsonArray entries = exportJson(folder, { "passwords" })["entries"].toArray();
    ASSERT_EQ(entries.size(), 2);
    const std::optional<PasswordEntry> mail = files.loadEntry(files.LoadIndex().at(1));
    ASSERT_TRUE(mail);
    EXPECT_EQ(entries[1].toObject()["sign_on"].toString(), mail->signOn);
    EXPECT_EQ(entries[1].toObject()["comment"].toString(), mail->comment);
}
