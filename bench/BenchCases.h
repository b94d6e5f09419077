#pragma once

#include "BenchReport.h"
#include "QuietMessageService.h"
#include "Repetitions.h"
#include "screens/QtSystemDialogs.h"
#include "screens/ShellState.h"
#include "screens/SystemClock.h"
#include "shell/HelpWindow.h"
#include "storage/ProgramFolder.h"

#include <QList>
#include <QSize>
#include <QStringList>

#include <memory>

class QTableWidget;
class WeightTracker;

// The measured cases, each against a floor that does the least the same
// result needs: reading the bytes, or a bare table filled with the same
// texts. The folder holds BenchFolder's files.
class BenchCases
{
public:
    // The child's command line: this option, the kind, the folder.
    static inline const QString PeakMemoryOption = QStringLiteral("--peak-memory");

    BenchCases(ProgramFolder folder, Repetitions repetitions);
    ~BenchCases();

    BenchReport::Line exportWeight();
    BenchReport::Line exportBloodPressure();
    BenchReport::Line openWeightTracker();
    BenchReport::Line addPasswordEntry();
    // The Password Keeper shown with 9,999 entries in its list, against a
    // bare combo box filled with the same names after reading both files.
    BenchReport::Line openPasswordKeeper();
    BenchReport::Line printWeightReport();
    // A weight backup of 2,000 people in CPU time, against `cp -a` of the
    // same files.
    BenchReport::Line backUpPeople();
    // Unlocking a protected keeper of 9,999 entries, against stretching the
    // master password alone with the same figures, which is most of it.
    BenchReport::Line unlockPasswordVault();
    // Each figure comes from a process of its own, started from this
    // program with the arguments that peakMemoryChild reads, so that memory
    // freed by an earlier case cannot hide what a later one needs.
    BenchReport::Line peakMemory();

    // In the child process: opens the log ("tracker") or fills the bare
    // table ("table") and prints how far the resident memory rose, in KiB.
    int peakMemoryChild(const QString& kind);

    // What went wrong in the cases run so far (a figure over a failed step
    // would mean nothing).
    const QStringList& problems() const { return m_problems; }

private:
    BenchReport::Line exportLog(const QString& kind, const QString& name, const QString& fileName);
    std::unique_ptr<WeightTracker> newWeightTracker();
    void selectIndividual(WeightTracker& screen);
    std::unique_ptr<QTableWidget> newBareTable() const;
    void fillBareTable(QTableWidget& table) const;
    QList<QStringList> shownLogRows() const;
    double childPeakMiB(const QString& kind);
    void check(bool ok, const QString& problem);

    ProgramFolder m_folder;
    Repetitions m_repetitions;
    QuietMessageService m_messages;
    QtSystemDialogs m_dialogs;
    SystemClock m_clock;
    ShellState m_state;
    HelpWindow m_help;
    // The log's texts as the Weight Tracker shows them, for the bare table.
    QList<QStringList> m_shownRows;
    // The bare table takes the size the log grid has on the screen.
    QSize m_gridSize { 600, 400 };
    QStringList m_problems;
};
