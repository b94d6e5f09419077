#include "DataToolProcess.h"
#include "TemporaryProgramFolder.h"

#include "datatool/FolderChecker.h"
#include "passwords/IndexItem.h"
#include "passwords/PasswordFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <functional>

#include <gtest/gtest.h>

namespace {

DataToolRun check(const TemporaryProgramFolder& folder)
{
    return runDataTool({ "check", "--dir", folder.path() });
}

} // namespace

TEST(DataToolCheck, ASoundFolderHasNoProblemAndIsNotChanged)
{
    TemporaryProgramFolder folder;
    buildSoundFolder(folder);
    const QMap<QString, QByteArray> before = folderContents(folder.path());
    const DataToolRun run = check(folder);
    EXPECT_EQ(run.exitCode, 0) << run.outText().toStdString();
    EXPECT_EQ(run.outText(), "No problems found.\n");
    EXPECT_EQ(folderContents(folder.path()), before);
}

TEST(DataToolCheck, FindsEachPlantedFault)
{
    struct Case {
        const char* fault;
        std::function<void(const TemporaryProgramFolder&)> plant;
        QString expected;
    };
    const QList<Case> cases {
        { "listed name without data file",
            [](const TemporaryProgramFolder& f) {
                f.write("WeightTrker.Fil", "\"Ann\"\r\n\"Ghost\"\r\n\"Smith, Bob\"\r\n");
            },
            "WeightTrker.Fil: lists \"Ghost\" but Ghost.Fil is missing" },
        { "data file without list entry",
            [](const TemporaryProgramFolder& f) { f.write("Stray.Fpl", "\"50\"\r\n"); },
            "Stray.Fpl: has no entry in BPTrker.Fil" },
        { "two listed names differing only in letter case",
            [](const TemporaryProgramFolder& f) {
                f.write("WeightTrker.Fil", "\"Ann\"\r\n\"ann\"\r\n\"Smith, Bob\"\r\n");
                f.write("ann.Fil", f.read("Ann.Fil"));
            },
            "WeightTrker.Fil: lists \"Ann\" and \"ann\", which differ only in letter case" },
        { "weight data file without list entry",
            [](const TemporaryProgramFolder& f) { f.write("Stray.Fil", f.read("Ann.Fil")); },
            "Stray.Fil: has no entry in WeightTrker.Fil" },
        { "bad date in a weight record",
            [](const TemporaryProgramFolder& f) {
                QByteArray ann = f.read("Ann.Fil");
                ann.replace("\"January 08, 2013\"", "\"Jan 88, 2013\"");
                f.write("Ann.Fil", ann);
            },
            "Ann.Fil: row 2: \"Jan 88, 2013\" is not a date" },
        { "bad reading",
            [](const TemporaryProgramFolder& f) {
                QByteArray cy = f.read("Cy.Fpl");
                cy.replace("\"131\"", "\"999\"");
                f.write("Cy.Fpl", cy);
            },
            "Cy.Fpl: row 2: the systolic pressure \"999\" is not a whole number from 50 to 300" },
        { "row count disagreeing",
            [](const TemporaryProgramFolder& f) {
                QByteArray cy = f.read("Cy.Fpl");
                cy.replace("\"6\"", "\"9\"");
                f.write("Cy.Fpl", cy);
            },
            "Cy.Fpl: the row count 9 means 8 rows of 5 lines, but 25 lines follow the header" },
        { "row count not a number",
            [](const TemporaryProgramFolder& f) {
                QByteArray bob = f.read("Smith, Bob.Fil");
                bob.replace("\"6\"", "\"six\"");
                f.write("Smith, Bob.Fil", bob);
            },
            "Smith, Bob.Fil: the row count \"six\" is not a number" },
        { "reading file ending inside a reading",
            [](const TemporaryProgramFolder& f) { f.write("Cy.Fpl", f.read("Cy.Fpl").chopped(4)); },
            "Cy.Fpl: ends part-way through row 5: 4 of its 5 lines are stored" },
        { "data file that cannot be read",
            [](const TemporaryProgramFolder& f) {
                QFile::remove(f.filePath("Ann.Fil"));
                QDir(f.path()).mkdir("Ann.Fil");
            },
            "Ann.Fil: cannot be read: " },
        { "weight file cut short",
            [](const TemporaryProgramFolder& f) { f.write("Ann.Fil", "\"50\"\r\n\"x\"\r\n"); },
            "Ann.Fil: ends after 2 of its 12 header lines" },
        { "index item pointing at a free record",
            [](const TemporaryProgramFolder& f) {
                PasswordFiles files(f.folder());
                QStringList items = files.LoadIndex();
                items.append(IndexItem::build("Ghost", 7).text());
                EXPECT_TRUE(files.WriteIndex(items));
            },
            "Secfile1.Fil: the item for \"Ghost\" points at record 7, which is free" },
        { "two index items sharing a record",
            [](const TemporaryProgramFolder& f) {
                PasswordFiles files(f.folder());
                QStringList items = files.LoadIndex();
                items.append(IndexItem::build("Twin", 2).text());
                EXPECT_TRUE(files.WriteIndex(items));
            },
            "Secfile1.Fil: the items for \"Mail\" and \"Twin\" both point at record 2" },
        { "record in use without an index item",
            [](const TemporaryProgramFolder& f) {
                PasswordFiles files(f.folder());
                QStringList items = files.LoadIndex();
                items.removeLast();
                EXPECT_TRUE(files.WriteIndex(items));
            },
            "Secfile2.fil: record 2 is in use, but no item of Secfile1.Fil points at it" },
        { "entries file cut inside a record",
            [](const TemporaryProgramFolder& f) {
                f.write("Secfile2.fil", f.read("Secfile2.fil").chopped(1));
            },
            "Secfile2.fil: ends inside record 2" },
        { "bad settings record",
            [](const TemporaryProgramFolder& f) {
                QByteArray settings = f.read("ZORQNAME.FIL");
                settings[0] = char(0x7f);
                f.write("ZORQNAME.FIL", settings);
            },
            "ZORQNAME.FIL: record 1 is bad" },
        { "bad tagged settings record",
            [](const TemporaryProgramFolder& f) {
                QByteArray settings = f.read("GColor4.Fil");
                settings[31 * 40] = char(0x09);
                f.write("GColor4.Fil", settings);
            },
            "GColor4.Fil: record 32 is bad" },
    };
    for (const Case& c : cases) {
        TemporaryProgramFolder folder;
        buildSoundFolder(folder);
        c.plant(folder);
        const QMap<QString, QByteArray> planted = folderContents(folder.path());
        const DataToolRun run = check(folder);
        EXPECT_EQ(run.exitCode, 1) << c.fault;
        EXPECT_TRUE(run.outText().contains(c.expected)) << c.fault << "\n"
                                                        << run.outText().toStdString();
        EXPECT_EQ(run.outText().count('\n'), 1) << c.fault << "\n" << run.outText().toStdString();
        // Each fault is named once: the file's name does not come back in
        // the reason.
        EXPECT_EQ(run.outText().count(c.expected.section(':', 0, 0)), 1)
            << run.outText().toStdString();
        EXPECT_TRUE(run.errText().contains("1 problem found")) << run.errText().toStdString();
        EXPECT_EQ(folderContents(folder.path()), planted) << c.fault;
    }
}

// A weight the user typed that is not a number gives no figures, but the
// file is sound: a note, and the check still succeeds.
TEST(DataToolCheck, TypedWeightsThatGiveNoFiguresAreNotes)
{
    TemporaryProgramFolder folder;
    buildSoundFolder(folder);
    QByteArray ann = folder.read("Ann.Fil");
    ann.replace("\"198.5\"", "\"abc\"");
    ann.replace("\"199\"", "\"12,5\"");
    folder.write("Ann.Fil", ann);
    const DataToolRun run = check(folder);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.outText(),
        "Ann.Fil: note: row 2: the weight \"abc\" is not a number (use \".\" as the decimal "
        "point)\n"
        "Ann.Fil: note: row 3: the weight \"12,5\" is not a number (use \".\" as the decimal "
        "point)\n"
        "No problems found; 2 notes.\n");
    EXPECT_TRUE(run.err.isEmpty());
}

// Temporary files that only a run cut short leaves behind are named by the
// check, and removed, with a word, by the next command that locks the folder.
// Files that only share part of a name, and links, are left alone.
TEST(DataToolCheck, LeftoversOfARunCutShortAreNamedAndRemoved)
{
    TemporaryProgramFolder folder;
    buildSoundFolder(folder);
    TemporaryProgramFolder outside;
    outside.write("kept.txt", "not the program's");
    folder.write("halvorn-probe-Ab12Cd", "");
    folder.write("halvorn-probe-notes.txt", "the user's");
    ASSERT_TRUE(QFile::link(outside.filePath("kept.txt"), folder.filePath("halvorn-probe-Zz99Yy")));

    const QList<FolderChecker::Problem> problems = FolderChecker::check(folder.folder());
    ASSERT_FALSE(problems.isEmpty());
    EXPECT_EQ(problems.first().file, "halvorn-probe-Ab12Cd");
    EXPECT_TRUE(problems.first().isDamage());
    EXPECT_EQ(problems.size(), 1) << problems.last().text().toStdString();

    const DataToolRun run = check(folder);
    EXPECT_EQ(run.exitCode, 0) << run.errText().toStdString();
    EXPECT_TRUE(run.errText().contains("halvorn-probe-Ab12Cd, a probe of whether the folder takes "
                                       "new files left by a run that was cut short, was removed."))
        << run.errText().toStdString();
    EXPECT_FALSE(folder.exists("halvorn-probe-Ab12Cd"));
    EXPECT_EQ(folder.read("halvorn-probe-notes.txt"), "the user's");
    EXPECT_TRUE(QFileInfo(folder.filePath("halvorn-probe-Zz99Yy")).isSymLink());
    EXPECT_EQ(outside.read("kept.txt"), "not the program's");
}
