#include "BenchCases.h"
#include "BenchFolder.h"
#include "BenchReport.h"
#include "Repetitions.h"

#include <QApplication>
#include <QTextStream>

#include <cstdio>

namespace {

constexpr int DefaultRepetitions = 5;

const char* const Usage = "Usage: halvorn-bench [--repetitions N]\n"
                          "\n"
                          "Times exporting, opening, adding and printing on files of 10,000\n"
                          "entries, and backing up 2,000 people (created in a temporary folder)\n"
                          "beside a floor measured in the same run, and prints each figure with\n"
                          "its ratio to the floor. A report, not a test: it sets no limits.\n";

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
    if (arguments.size() == 2 && arguments.at(0) == u"--repetitions") {
        bool number = false;
        repetitions = arguments.at(1).toInt(&number);
        if (!number || repetitions < 1) {
            err << Usage;
            return 2;
        }
    } else if (!arguments.isEmpty()) {
        err << Usage;
        return 2;
    }

    const BenchFolder folder;
    if (!folder.error().isEmpty()) {
        err << "halvorn-bench: the benchmark's files could not be written: " << folder.error()
            << Qt::endl;
        return 1;
    }
    BenchCases cases(folder.folder(), Repetitions(repetitions));
    BenchReport report;
    report.printHeading(repetitions);
    report.print(cases.exportWeight());
    report.print(cases.exportBloodPressure());
    report.print(cases.openWeightTracker());
    report.print(cases.addPasswordEntry());
    report.print(cases.openPasswordKeeper());
    report.print(cases.printWeightReport());
    report.print(cases.backUpPeople());
    report.print(cases.unlockPasswordVault());
    report.print(cases.peakMemory());
    for (const QString& problem : cases.problems())
        err << "halvorn-bench: " << problem << Qt::endl;
    return cases.problems().isEmpty() ? 0 : 1;
}
