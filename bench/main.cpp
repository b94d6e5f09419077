#include "BenchCases.h"
#include "BenchFolder.h"
#include "BenchReport.h"
#include "CommandLineCases.h"
#include "ImportCases.h"
#include "PasswordImportCases.h"
#include "Repetitions.h"
#include "RestoreCases.h"
#include "ZipImportCases.h"

#include <QApplication>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

constexpr int DefaultRepetitions = 5;

const char* const Usage
    = "Usage: halvorn-bench [--repetitions N] [--only GROUP[,GROUP...]]\n"
      "\n"
      "Times exporting, opening, adding and printing on files of 10,000\n"
      "entries, backing up 2,000 people and importing a 200 MB health export\n"
      "and a 300 MB export.zip (all made in a temporary folder) beside a floor\n"
      "measured in the same run, and prints each figure with its ratio to the\n"
      "floor. A report, not a test: it sets no limits.\n"
      "\n"
      "GROUP picks cases: export, command-line, trackers, keeper, report,\n"
      "backup, restore, vault, memory, import, password-import. Without --only,\n"
      "every case runs.\n";

struct Group {
    QString name;
    std::function<QList<BenchReport::Line>()> run;
};

// The offscreen platform's notes about what it cannot do, and Qt's about a
// missing runtime folder, say nothing about the figures and would bury them.
void quietHarmlessNotes(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtWarningMsg
        && (message.contains(QLatin1String("does not support propagateSizeHints"))
            || message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set"))))
        return;
    QTextStream(stderr) << qFormatLogMessage(type, context, message) << Qt::endl;
}

} // namespace

int main(int argc, char* argv[])
{
    // The screens are measured headless, as the tests drive them.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietHarmlessNotes);
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments().mid(1);
    QTextStream err(stderr);

    if (arguments.value(0) == BenchCases::PeakMemoryOption && arguments.size() == 3)
        return BenchCases(ProgramFolder(arguments.at(2)), Repetitions(1))
            .peakMemoryChild(arguments.at(1));
    if (arguments.value(0) == ZipImportCases::PeakMemoryOption && arguments.size() == 3)
        return ZipImportCases::peakMemoryChild(arguments.at(1), arguments.at(2));
    if (arguments.value(0) == BenchCases::FirstOpenOption && arguments.size() == 3)
        return BenchCases(ProgramFolder(arguments.at(2)), Repetitions(1))
            .firstOpenChild(arguments.at(1));
    if (arguments.value(0) == ImportCases::ChildOption && arguments.size() == 3)
        return ImportCases::child(arguments.at(1), arguments.at(2));

    // For the kill test's script: a household of PEOPLE weight logs and
    // ENTRIES password entries, every file marked with TAG.
    if (arguments.value(0) == u"--make-folder" && arguments.size() == 5) {
        const QString problem = BenchFolder::writeHousehold(ProgramFolder(arguments.at(1)),
            arguments.at(2).toInt(), arguments.at(3).toInt(), arguments.at(4));
        if (!problem.isEmpty())
            err << "halvorn-bench: " << problem << Qt::endl;
        return problem.isEmpty() ? 0 : 1;
    }

    if (arguments == QStringList { QStringLiteral("--help") }) {
        QTextStream(stdout) << Usage;
        return 0;
    }
    int repetitions = DefaultRepetitions;
    QStringList only;
    for (qsizetype i = 0; i < arguments.size(); i += 2) {
        bool number = true;
        if (arguments.at(i) == u"--repetitions" && i + 1 < arguments.size())
            repetitions = arguments.at(i + 1).toInt(&number);
        else if (arguments.at(i) == u"--only" && i + 1 < arguments.size())
            only = arguments.at(i + 1).split(u',');
        else
            number = false;
        if (!number || repetitions < 1) {
            err << Usage;
            return 2;
        }
    }

    const BenchFolder folder;
    if (!folder.error().isEmpty()) {
        err << "halvorn-bench: the benchmark's files could not be written: " << folder.error()
            << Qt::endl;
        return 1;
    }
    BenchCases cases(folder.folder(), Repetitions(repetitions));
    CommandLineCases commandLine(folder.folder(), Repetitions(repetitions));
    ImportCases imports { Repetitions(repetitions) };
    RestoreCases restores { Repetitions(repetitions) };
    ZipImportCases zipImports { Repetitions(repetitions) };
    PasswordImportCases passwordImports { Repetitions(repetitions) };
    using Tracker = BenchCases::Tracker;
    const QList<Group> groups {
        { QStringLiteral("export"),
            [&] {
                return QList { cases.exportWeight(), cases.exportBloodPressure() };
            } },
        { QStringLiteral("command-line"),
            [&] {
                return QList { commandLine.listStart(), commandLine.exportWeight() };
            } },
        { QStringLiteral("trackers"),
            [&] {
                return QList { cases.firstOpen(Tracker::Weight), cases.openTracker(Tracker::Weight),
                    cases.firstOpen(Tracker::BloodPressure),
                    cases.openTracker(Tracker::BloodPressure) };
            } },
        { QStringLiteral("keeper"),
            [&] {
                return QList { cases.addPasswordEntry(), cases.saveKeeperEntry(),
                    cases.openPasswordKeeper() };
            } },
        { QStringLiteral("report"),
            [&] { return cases.printWeightReport(1'000) + cases.printWeightReport(10'000); } },
        { QStringLiteral("backup"), [&] { return QList { cases.backUpPeople() }; } },
        { QStringLiteral("restore"),
            [&] {
                return QList { restores.restoreWeight(), restores.restoreAll() };
            } },
        { QStringLiteral("vault"), [&] { return QList { cases.unlockPasswordVault() }; } },
        { QStringLiteral("memory"), [&] { return QList { cases.peakMemory() }; } },
        { QStringLiteral("import"),
            [&] { return imports.importAppleHealthExport() + zipImports.readHealthExportZip(); } },
        { QStringLiteral("password-import"), [&] { return passwordImports.importPasswords(); } },
    };
    for (const QString& name : std::as_const(only)) {
        if (std::none_of(groups.begin(), groups.end(),
                [&](const Group& group) { return group.name == name; })) {
            err << Usage;
            return 2;
        }
    }
    BenchReport report;
    report.printHeading(repetitions);
    for (const Group& group : groups) {
        if (only.isEmpty() || only.contains(group.name)) {
            for (const BenchReport::Line& line : group.run())
                report.print(line);
        }
    }
    const QStringList problems = cases.problems() + commandLine.problems() + imports.problems()
        + zipImports.problems() + restores.problems() + passwordImports.problems();
    for (const QString& problem : problems)
        err << "halvorn-bench: " << problem << Qt::endl;
    return problems.isEmpty() ? 0 : 1;
}
