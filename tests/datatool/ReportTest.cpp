#include "DataToolProcess.h"
#include "PdfInspection.h"
#include "TemporaryProgramFolder.h"

#include "bloodpressure/BloodPressureFile.h"
#include "passwords/PasswordFiles.h"
#include "storage/GColor4File.h"
#include "storage/StoredDate.h"
#include "storage/TaggedValue.h"
#include "weight/WeightFile.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

// The fixture's Ann: three weigh-ins and two lines of comments.
class DataToolReport : public ::testing::Test
{
protected:
    void SetUp() override { copyFixture("logs", folder); }

    DataToolRun report(const QStringList& arguments)
    {
        return runDataTool(QStringList { "report", "weight" } + arguments
            + QStringList { "--dir", folder.path() });
    }

    TemporaryProgramFolder folder;
    QTemporaryDir outputs;
    QString output(const char* name) const { return outputs.filePath(QLatin1String(name)); }
};

} // namespace

TEST_F(DataToolReport, WritesTheReportOnTheChosenPaperAndLeavesTheFolderAsItWas)
{
    struct Case {
        QStringList arguments;
        const char* pageSize;
    };
    const QList<Case> cases {
        { { "--paper", "A4" }, "595 x 842 pts (A4)" },
        { { "--paper=letter", "--landscape" }, "792 x 612 pts (letter)" },
        { { "--landscape", "--paper", "a4" }, "842 x 595 pts (A4)" },
    };
    const QMap<QString, QByteArray> before = folderContents(folder.path());
    for (const Case& c : cases) {
        const QString path = output("ann.pdf");
        const DataToolRun run = report(QStringList { "Ann", "-o", path } + c.arguments);
        ASSERT_EQ(run.exitCode, 0) << run.errText().toStdString();
        EXPECT_TRUE(run.out.isEmpty());
        const PdfInspection pdf(path);
        EXPECT_EQ(pdf.info("Page size"), QString::fromLatin1(c.pageSize));
        EXPECT_EQ(pdf.info("Title"), QStringLiteral("Ann Weight Tracker Printout"));
        const QStringList lines = pdf.lines(0);
        ASSERT_FALSE(lines.isEmpty());
        EXPECT_EQ(lines.first(), QStringLiteral("Ann"));
        EXPECT_TRUE(lines.contains(QStringLiteral("Exercise Plan and Information")));
        EXPECT_EQ(pdf.pagesWith(QStringLiteral("January 08, 2013 198.5 -1.5 -1.5")).size(), 1);
        EXPECT_TRUE(pdf.fonts().contains(QStringLiteral("LiberationSerif")));
    }
    // Reading the settings would have created GColor4.Fil.
    EXPECT_EQ(folderContents(folder.path()), before);
}

TEST_F(DataToolReport, WithoutAPaperTakesTheLocalesAsTheScreenDoes)
{
    struct Case {
        const char* locale;
        const char* pageSize;
    };
    const Case cases[] {
        { "en_US.UTF-8", "612 x 792 pts (letter)" },
        { "de_DE.UTF-8", "595 x 842 pts (A4)" },
        { "en_GB.UTF-8", "595 x 842 pts (A4)" },
    };
    const QByteArray before = qgetenv("LC_ALL");
    for (const Case& c : cases) {
        qputenv("LC_ALL", c.locale);
        const QString path = output("ann.pdf");
        const DataToolRun run = report({ "Ann", "-o", path });
        ASSERT_EQ(run.exitCode, 0) << run.errText().toStdString();
        EXPECT_EQ(PdfInspection(path).info("Page size"), QString::fromLatin1(c.pageSize))
            << c.locale;
    }
    if (before.isNull())
        qunsetenv("LC_ALL");
    else
        qputenv("LC_ALL", before);
}

TEST_F(DataToolReport, PrintsInTheStoredFontAndSize)
{
    const GColor4File settings(folder.folder());
    ASSERT_TRUE(settings.setWeightPrintFontName(QStringLiteral("Arial")));
    ASSERT_TRUE(settings.setWeightPrintFontSize(TaggedValue::fromInt16(10)));
    const QString path = output("arial.pdf");
    ASSERT_EQ(report({ "Ann", "-o", path }).exitCode, 0);
    const PdfInspection pdf(path);
    EXPECT_TRUE(pdf.fonts().contains(QStringLiteral("LiberationSans")))
        << pdf.fonts().join(' ').toStdString();
    // 10 points high, give or take the face's ascent and descent.
    const std::optional<QRectF> name = pdf.find(0, QStringLiteral("Ann"));
    ASSERT_TRUE(name);
    EXPECT_NEAR(name->height(), 11.5, 1.0);
}

TEST_F(DataToolReport, OptionsChooseTheSections)
{
    struct Case {
        const char* options;
        QStringList present;
        QStringList absent;
    };
    const QList<Case> cases {
        { "data,border-lines", { "Weight Tracker Data" }, { "Exercise Plan and Information" } },
        { "plan", { "Exercise Plan and Information", "Feeling good," }, { "Weight Tracker Data" } },
        { "none", { "Weight Tracker Printout" },
            { "Weight Tracker Data", "Exercise Plan and Information" } },
    };
    for (const Case& c : cases) {
        const QString path = output("options.pdf");
        const DataToolRun run = report({ "Ann", "-o", path, "--options", c.options });
        ASSERT_EQ(run.exitCode, 0) << c.options << run.errText().toStdString();
        const PdfInspection pdf(path);
        for (const QString& text : c.present)
            EXPECT_TRUE(pdf.find(0, text)) << c.options << " " << text.toStdString();
        for (const QString& text : c.absent)
            EXPECT_FALSE(pdf.find(0, text)) << c.options << " " << text.toStdString();
    }
}

TEST_F(DataToolReport, PrintsAStoredPictureWithItsDateAsTheScreenShowsIt)
{
    struct Case {
        const char* stored;
        const char* printed;
    };
    const Case cases[] = {
        { "January 01, 2013", "Beginning Photo: January 01, 2013" },
        // Nothing stored reads as it does on the screen.
        { "", "Beginning Photo: Date Photo Taken" },
        { "   ", "Beginning Photo: Date Photo Taken" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        std::optional<WeightFile> ann = WeightFile::LoadWeightFile(folder.folder(), "Ann");
        ASSERT_TRUE(ann);
        ann->beginningPicture = fixturePath("pictures/red.png");
        ann->beginningPictureDate = QString::fromLatin1(c.stored);
        ASSERT_TRUE(ann->SaveWeightFile(folder.folder()));
        const QString path = output("picture.pdf");
        const DataToolRun run
            = report({ "Ann", "-o", path, "--options", "plan,beginning-picture" });
        ASSERT_EQ(run.exitCode, 0) << run.errText().toStdString();
        EXPECT_TRUE(PdfInspection(path).find(0, QString::fromLatin1(c.printed)))
            << PdfInspection(path).lines(0).join('|').toStdString();
    }
}

// A pipe named as the picture would block the report for ever.
TEST_F(DataToolReport, APicturePathThatIsNoRegularFileIsRefusedWithoutOpeningIt)
{
    const QString pipe = outputs.filePath("photo.jpg");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    std::optional<WeightFile> ann = WeightFile::LoadWeightFile(folder.folder(), "Ann");
    ASSERT_TRUE(ann);
    ann->beginningPicture = pipe;
    ASSERT_TRUE(ann->SaveWeightFile(folder.folder()));
    const DataToolRun run
        = report({ "Ann", "-o", output("pipe.pdf"), "--options", "beginning-picture" });
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.errText().contains("could not be loaded")) << run.errText().toStdString();
}

TEST_F(DataToolReport, RefusesWhatItCannotPrintAndKeepsTheOldFile)
{
    struct Case {
        QStringList arguments;
        int exitCode;
        const char* says;
    };
    const QList<Case> cases {
        { { "Nobody", "-o", "OUT" }, 1, "no individual named \"Nobody\"" },
        { { "Ann" }, 2, "report needs -o FILE.pdf" },
        { { "Ann", "-o", "OUT", "--paper", "legal" }, 2, "unknown paper \"legal\"" },
        { { "Ann", "-o", "OUT", "--options", "graph,photos" }, 2,
            "unknown report option \"photos\"" },
        { { "Ann", "-o", "OUT", "--options", "current-picture" }, 1,
            "current-picture: no picture is stored" },
        { { "Ann", "-o", "OUT", "extra" }, 2, "report takes one of weight, bp, passwords" },
        { { "Ann", "-o", "OUT", "--entries", "10" }, 2, "--entries belongs to report bp" },
    };
    for (const Case& c : cases) {
        const QString path = output("kept.pdf");
        QFile kept(path);
        ASSERT_TRUE(kept.open(QIODevice::WriteOnly));
        kept.write("old report");
        kept.close();
        QStringList arguments = c.arguments;
        arguments.replaceInStrings(QStringLiteral("OUT"), path);
        const DataToolRun run = report(arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << arguments.join(' ').toStdString();
        EXPECT_TRUE(run.errText().contains(QLatin1String(c.says))) << run.errText().toStdString();
        ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
        EXPECT_EQ(kept.readAll(), QByteArray("old report"));
        kept.close();
    }

    // Nor over the program's own files, nor with report options elsewhere.
    EXPECT_EQ(report({ "Ann", "-o", folder.filePath("Ann.Fil") }).exitCode, 2);
    EXPECT_EQ(runDataTool({ "export", "weight", "Ann", "--paper", "a4", "--dir", folder.path() })
                  .exitCode,
        2);
}

namespace {

QString dayDate(int day)
{
    return StoredDate::longText(QDate(2013, 1, 1).addDays(day));
}

} // namespace

TEST_F(DataToolReport, WritesTheBloodPressureReportOfTheLatestEntries)
{
    BloodPressureFile dee;
    dee.name = QStringLiteral("Dee");
    dee.rowCount = 20;
    for (int i = 0; i < 12; ++i)
        dee.rows.append({ dayDate(i), "7:05 AM", "128", "84", QString::number(60 + i) });
    ASSERT_TRUE(dee.SaveBloodPressureFile(folder.folder()));
    IndividualList list = BloodPressureFile::LoadBpIndividualList(folder.folder());
    list.add(dee.name);
    ASSERT_TRUE(BloodPressureFile::WriteBpIndividualList(folder.folder(), list));
    const QMap<QString, QByteArray> before = folderContents(folder.path());

    struct Case {
        QStringList arguments;
        int first;
        const char* average;
        const char* pageSize;
    };
    const QList<Case> cases {
        { { "--paper", "letter" }, 0, "Average: 128 84 ( 66 )", "612 x 792 pts (letter)" },
        { { "--entries", "all", "--landscape", "--paper", "letter" }, 0, "Average: 128 84 ( 66 )",
            "792 x 612 pts (letter)" },
        { { "--entries", "10", "--paper", "a4" }, 2, "Average: 128 84 ( 67 )",
            "595 x 842 pts (A4)" },
        { { "--entries=5", "--options", "divider-lines", "--paper=letter" }, 7,
            "Average: 128 84 ( 69 )", "612 x 792 pts (letter)" },
    };
    for (const Case& c : cases) {
        const QString path = output("dee.pdf");
        const DataToolRun run
            = runDataTool(QStringList { "report", "bp", "Dee", "-o", path, "--dir", folder.path() }
                + c.arguments);
        ASSERT_EQ(run.exitCode, 0) << run.errText().toStdString();
        const PdfInspection pdf(path);
        EXPECT_EQ(pdf.info("Page size"), QString::fromLatin1(c.pageSize));
        EXPECT_EQ(pdf.info("Title"), QStringLiteral("Dee Blood Pressure Printout"));
        const QStringList lines = pdf.lines(0);
        EXPECT_TRUE(lines.contains(QLatin1String(c.average))) << lines.join('\n').toStdString();
        for (int i = 0; i < 12; ++i)
            EXPECT_EQ(pdf.pagesWith(dayDate(i)).size(), i >= c.first ? 1 : 0) << i;
        EXPECT_EQ(pdf.pagesWith(dayDate(11) + QStringLiteral(" 7:05 AM 128 84 71")).size(), 1);
    }
    EXPECT_EQ(folderContents(folder.path()), before);

    // The screen's choices only.
    const DataToolRun refused = runDataTool(
        { "report", "bp", "Dee", "-o", output("x.pdf"), "--entries", "7", "--dir", folder.path() });
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_TRUE(refused.errText().contains("--entries takes All, 5, 10"));
    EXPECT_FALSE(QFile::exists(output("x.pdf")));
}

TEST_F(DataToolReport, TheGraphIsPrintedAtPrintResolution)
{
    // Ann's weight graph and a blood-pressure graph, in both orientations
    // and on both papers: the picture stands at 300 dots per inch or more.
    BloodPressureFile dee;
    dee.name = QStringLiteral("Dee");
    dee.rowCount = 10;
    for (int i = 0; i < 8; ++i)
        dee.rows.append({ dayDate(i), "7:05 AM", QString::number(120 + i), "84", "66" });
    ASSERT_TRUE(dee.SaveBloodPressureFile(folder.folder()));
    IndividualList list = BloodPressureFile::LoadBpIndividualList(folder.folder());
    list.add(dee.name);
    ASSERT_TRUE(BloodPressureFile::WriteBpIndividualList(folder.folder(), list));

    for (const char* kind : { "weight", "bp" }) {
        for (const QStringList& paper : { QStringList { "--paper", "letter" },
                 QStringList { "--paper", "a4", "--landscape" } }) {
            const QString path = output("graph.pdf");
            const QString name = qstrcmp(kind, "bp") == 0 ? "Dee" : "Ann";
            const DataToolRun run = runDataTool(QStringList { "report", kind, name, "-o", path,
                                                    "--options", "graph", "--dir", folder.path() }
                + paper);
            ASSERT_EQ(run.exitCode, 0) << run.errText().toStdString();
            const QList<PdfInspection::Picture> pictures = PdfInspection(path).pictures();
            ASSERT_EQ(pictures.size(), 1) << kind;
            EXPECT_GE(pictures[0].xPpi, 300) << kind << " " << paper.join(' ').toStdString();
            EXPECT_GE(pictures[0].yPpi, 300) << kind << " " << paper.join(' ').toStdString();
        }
    }
}

TEST_F(DataToolReport, WritesTheNamedPasswordEntryForItsOwnerOnly)
{
    QRandomGenerator random(3);
    PasswordFiles files(folder.folder(), &random);
    ASSERT_TRUE(
        files.AddEntry({ "www.example.com", "ann", "hunter2", "PIN elsewhere." }).succeeded);
    ASSERT_TRUE(files.AddEntry({ "Mail", "ann.s", "s3cret", "" }).succeeded);
    const QMap<QString, QByteArray> before = folderContents(folder.path());

    const QString path = output("entry.pdf");
    const DataToolRun run = runDataTool({ "report", "passwords", "www.example.com", "-o", path,
        "--landscape", "--paper", "letter", "--dir", folder.path() });
    ASSERT_EQ(run.exitCode, 0) << run.errText().toStdString();
    EXPECT_EQ(QFile::permissions(path)
            & (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther),
        0);
    const PdfInspection pdf(path);
    EXPECT_EQ(pdf.info("Page size"), QStringLiteral("792 x 612 pts (letter)"));
    EXPECT_EQ(pdf.lines(0).mid(0, 4),
        (QStringList { "Password Keeper",
            "Web address, Location, Service,Card, etc.: www.example.com",
            "Sign On ID, Login ID, User ID, etc.: ann",
            "Password, PIN No., Secret #, etc.: hunter2" }));
    EXPECT_FALSE(pdf.find(0, QStringLiteral("s3cret")));
    EXPECT_EQ(pdf.fonts(), QStringList { QStringLiteral("LiberationSerif") });
    EXPECT_EQ(folderContents(folder.path()), before);

    struct Case {
        QStringList arguments;
        int exitCode;
        const char* says;
    };
    const QList<Case> cases {
        { { "Nobody" }, 1, "no entry named \"Nobody\"" },
        { { "Mail", "--options", "graph" }, 2, "report passwords has no --options" },
    };
    for (const Case& c : cases) {
        const QString refused = output("refused.pdf");
        const DataToolRun failed = runDataTool(QStringList { "report", "passwords" } + c.arguments
            + QStringList { "-o", refused, "--dir", folder.path() });
        EXPECT_EQ(failed.exitCode, c.exitCode) << c.says;
        EXPECT_TRUE(failed.errText().contains(QLatin1String(c.says)))
            << failed.errText().toStdString();
        EXPECT_FALSE(QFile::exists(refused));
    }
}
