#include "DataToolProcess.h"
#include "TemporaryProgramFolder.h"

#include "bloodpressure/BloodPressureFile.h"
#include "weight/WeightFile.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <gtest/gtest.h>

namespace {

DataToolRun importCsv(const TemporaryProgramFolder& folder, const QString& kind,
    const QString& name, const QByteArray& csv)
{
    TemporaryProgramFolder elsewhere;
    elsewhere.write("rows.csv", csv);
    return runDataTool(
        { "import", kind, name, elsewhere.filePath("rows.csv"), "--dir", folder.path() });
}

DataToolRun exportCsv(
    const TemporaryProgramFolder& folder, const QString& kind, const QString& name)
{
    return runDataTool({ "export", kind, name, "--dir", folder.path() });
}

// The CSV's lines reduced to the given columns, header included.
QStringList columns(const QByteArray& csv, QList<int> wanted)
{
    QStringList lines;
    for (const QByteArray& line : csv.split('\n')) {
        if (line.trimmed().isEmpty())
            continue;
        // The compared columns hold no quoted commas except the date, which
        // is column 1 and always quoted; split on the quotes first.
        QStringList fields;
        const QString text = QString::fromUtf8(line.trimmed());
        bool quoted = false;
        QString field;
        for (QChar c : text) {
            if (c == u'"')
                quoted = !quoted;
            else if (c == u',' && !quoted) {
                fields.append(field);
                field.clear();
            } else
                field += c;
        }
        fields.append(field);
        QStringList kept;
        for (int column : wanted)
            kept.append(fields.value(column));
        lines.append(kept.join(u'|'));
    }
    return lines;
}

} // namespace

TEST(DataToolImport, WeightExportImportedIntoANewIndividualExportsTheSameRows)
{
    TemporaryProgramFolder folder;
    copyFixture("logs", folder);
    const DataToolRun exported = exportCsv(folder, "weight", "Smith, Bob");
    ASSERT_EQ(exported.exitCode, 0);

    const DataToolRun imported = importCsv(folder, "weight", "Carl", exported.out);
    ASSERT_EQ(imported.exitCode, 0) << imported.errText().toStdString();
    EXPECT_TRUE(imported.outText().contains("Added 4 rows")) << imported.outText().toStdString();
    EXPECT_EQ(WeightFile::LoadIndividualList(folder.folder()).names(),
        QStringList({ "Ann", "Carl", "Smith, Bob" }));

    // Row, date, weight and the change column, which depends on nothing but
    // the rows; Carl has no beginning weight, so his differences are empty.
    const DataToolRun again = exportCsv(folder, "weight", "Carl");
    ASSERT_EQ(again.exitCode, 0);
    EXPECT_EQ(columns(again.out, { 0, 1, 2, 3, 4, 5, 6 }),
        columns(exported.out, { 0, 1, 2, 3, 4, 5, 6 }));
}

TEST(DataToolImport, BloodPressureExportImportedIntoANewIndividualExportsTheSameBytes)
{
    TemporaryProgramFolder folder;
    copyFixture("logs", folder);
    const DataToolRun exported = exportCsv(folder, "bp", "Cy");
    ASSERT_EQ(exported.exitCode, 0);
    const DataToolRun imported = importCsv(folder, "bp", "Dee", exported.out);
    ASSERT_EQ(imported.exitCode, 0) << imported.errText().toStdString();
    EXPECT_EQ(exportCsv(folder, "bp", "Dee").out, exported.out);
    EXPECT_TRUE(folder.exists("Dee.Fpl"));
    EXPECT_EQ(folder.read("BPTrker.Fil"), QByteArray("\"Cy\"\r\n\"Dee\"\r\n"));
}

// Rows go below the last stored row, into the empty rows of the grid; ISO
// dates and loosely written times are stored the way the screen writes them.
TEST(DataToolImport, AppendsBelowTheStoredRowsInTheScreensForm)
{
    TemporaryProgramFolder folder;
    copyFixture("logs", folder);
    const DataToolRun run = importCsv(folder, "bp", "cy",
        "Date,Time,Systolic,Diastolic,Pulse,Note\n"
        "2012-03-09,7:05 am,118, 76 ,64,ignored\n"
        "\"March 10, 2012\",12:30PM,125,82,70,\n");
    ASSERT_EQ(run.exitCode, 0) << run.errText().toStdString();

    const std::optional<BloodPressureFile> cy
        = BloodPressureFile::LoadBloodPressureFile(folder.folder(), "Cy");
    ASSERT_TRUE(cy);
    // The one empty row took the first reading; the grid grew by one.
    EXPECT_EQ(cy->rowCount, 7);
    ASSERT_EQ(cy->rows.size(), 6);
    EXPECT_EQ(cy->rows[3].systolic, "140");
    EXPECT_EQ(cy->rows[4], (Reading { "March 09, 2012", "7:05 AM", "118", "76", "64" }));
    EXPECT_EQ(cy->rows[5], (Reading { "March 10, 2012", "12:30 PM", "125", "82", "70" }));
    EXPECT_EQ(
        BloodPressureFile::LoadBpIndividualList(folder.folder()).names(), QStringList { "Cy" });
}

// One test per kind of fault would prove less: every bad row of one file
// must be reported, and the folder must not change by a single byte.
TEST(DataToolImport, BadRowsAreAllReportedAndNothingIsWritten)
{
    struct Case {
        const char* kind;
        const char* name;
        QByteArray csv;
        QList<int> badLines;
    };
    const QList<Case> cases {
        { "weight", "Ann",
            "date,weight\r\n"
            "\"January 22, 2013\",197\r\n"
            "January 32 2013,196\r\n"
            "2013-01-29,\r\n"
            "2013-02-05,195.5\r\n"
            "2013-02-12,\"180,5\"\r\n"
            "2013-02-19,abc,extra\r\n",
            { 3, 4, 6, 7 } },
        { "weight", "New Person", "date,weight\n2013-01-01,200\n\n2013-01-08,-3\n", { 4 } },
        { "bp", "Cy",
            "date,time,systolic,diastolic,pulse\n"
            "2012-03-09,7:05 AM,301,80,70\n"
            "2012-03-10,13:05 AM,120,0,70\n"
            "2012-03-11,7:05 AM,120,80,70\n"
            "2012-03-12,7:05 AM,120.5,80,151\n",
            { 2, 3, 5 } },
    };
    for (const Case& c : cases) {
        TemporaryProgramFolder folder;
        copyFixture("logs", folder);
        const QMap<QString, QByteArray> before = folderContents(folder.path());

        const DataToolRun run = importCsv(folder, c.kind, c.name, c.csv);
        EXPECT_EQ(run.exitCode, 1) << c.name;
        EXPECT_EQ(folderContents(folder.path()), before) << c.name;
        for (int line : c.badLines)
            EXPECT_TRUE(run.errText().contains(QStringLiteral("rows.csv: line %1: ").arg(line)))
                << c.name << " line " << line << "\n"
                << run.errText().toStdString();
        EXPECT_EQ(run.errText().count(": line "), run.errText().count("\n") - 1)
            << run.errText().toStdString();
        for (int line = 1; line < 8; ++line) {
            if (!c.badLines.contains(line)) {
                EXPECT_FALSE(run.errText().contains(QStringLiteral("line %1: ").arg(line)))
                    << c.name << " line " << line << "\n"
                    << run.errText().toStdString();
            }
        }
    }
}

TEST(DataToolImport, UnusableFilesAndNamesWriteNothing)
{
    struct Case {
        const char* kind;
        const char* name;
        QByteArray csv;
        const char* expected;
    };
    const QList<Case> cases {
        { "weight", "Ann", "date,weight\n\"January 22, 2013,197\n",
            "line 2: a quoted field is never closed" },
        { "weight", "Ann", "date,kilos\n2013-01-01,80\n",
            "line 1: the header has no \"weight\" column" },
        { "weight", "Ann", "", "the header row is missing" },
        { "weight", "../Ann", "date,weight\n2013-01-01,80\n", "cannot be used" },
        { "weight", "BPTrker", "date,weight\n2013-01-01,80\n", "cannot be used" },
        { "bp", "Smith, \"Bob\"", "date,time,systolic,diastolic,pulse\n", "cannot be used" },
        { "weight", "Ann", QByteArray("date,weight\n2013-01-01,8\xff\n"),
            "line 2: the text is not UTF-8" },
    };
    for (const Case& c : cases) {
        TemporaryProgramFolder folder;
        copyFixture("logs", folder);
        const QMap<QString, QByteArray> before = folderContents(folder.path());
        const DataToolRun run = importCsv(folder, c.kind, c.name, c.csv);
        EXPECT_EQ(run.exitCode, 1) << c.expected;
        EXPECT_TRUE(run.errText().contains(c.expected)) << run.errText().toStdString();
        EXPECT_EQ(folderContents(folder.path()), before) << c.expected;
    }
}

// Rows read under a damaged count would be put in the wrong place and, before
// the loader kept every stored row, 756 of 803 rows were lost.
TEST(DataToolImport, ADamagedTargetFileIsRefusedWithItsFault)
{
    TemporaryProgramFolder folder;
    copyFixture("logs", folder);
    QByteArray ann = folder.read("Ann.Fil");
    ann.replace(0, ann.indexOf("\r\n"), "\"5O\"");
    ann.truncate(ann.indexOf("\"January 01, 2013\"", ann.indexOf("second line")));
    for (int row = 1; row <= 803; ++row)
        ann += "\"January 01, 2013\"\r\n\"" + QByteArray::number(150 + row % 50) + "\"\r\n";
    folder.write("Ann.Fil", ann);
    const QMap<QString, QByteArray> before = folderContents(folder.path());

    const DataToolRun run = importCsv(folder, "weight", "Ann", "date,weight\n2013-03-01,170\n");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.errText(),
        "halvorn-data: Ann.Fil is damaged (the row count \"5O\" is not a number from 1 to "
        "32767); repair it in Halvorn or restore it from a backup, then import again\n"
        "halvorn-data: nothing was imported\n");
    EXPECT_EQ(folderContents(folder.path()), before);
}

// A link that points nowhere stands where the list should be: writing
// through it would create a file wherever it points.
TEST(DataToolImport, ADanglingLinkAtTheListIsNotWrittenThrough)
{
    TemporaryProgramFolder folder;
    TemporaryProgramFolder elsewhere;
    const QString target = elsewhere.filePath("planted.Fil");
    ASSERT_TRUE(QFile::link(target, folder.filePath("WeightTrker.Fil")));
    const DataToolRun run = importCsv(folder, "weight", "Ann", "date,weight\n2013-01-01,80\n");
    EXPECT_EQ(run.exitCode, 1) << run.errText().toStdString();
    EXPECT_FALSE(QFileInfo::exists(target));
    EXPECT_TRUE(QFileInfo(folder.filePath("WeightTrker.Fil")).isSymLink());
}

// A list that the check finds cut short is no success for a script either.
TEST(DataToolImport, ListingADamagedListExitsWithOne)
{
    TemporaryProgramFolder folder;
    copyFixture("logs", folder);
    folder.write("WeightTrker.Fil", "\"Ann\"\r\n\"Smith, B");
    const DataToolRun run = runDataTool({ "list", "weight", "--dir", folder.path() });
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.errText().contains("ends part-way through line 2"))
        << run.errText().toStdString();
}
