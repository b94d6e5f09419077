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
class TrackerScreen;
class QWidget;

// The measured cases, each against a floor that does the least the same
// result needs: reading the bytes, or a bare table filled with the same
// texts. The folder holds BenchFolder's files.
class BenchCases
{
public:
    // The child's command line: this option, the kind, the folder.
    static inline const QString PeakMemoryOption = QStringLiteral("--peak-memory");
    // The child's command line: this option, the kind ("weight", "bp",
    // "bare-weight", "bare-bp"), the folder.
    static inline const QString FirstOpenOption = QStringLiteral("--first-open");

    enum class Tracker { Weight, BloodPressure };

    BenchCases(ProgramFolder folder, Repetitions repetitions);
    ~BenchCases();

    BenchReport::Line exportWeight();
    BenchReport::Line exportBloodPressure();
    // A log of 10,000 chosen in a tracker that has opened one before,
    // against a bare table filled with the same texts.
    BenchReport::Line openTracker(Tracker tracker);
    // The same, the first log opened in a new process, against a bare
    // table's first fill in a new process.
    BenchReport::Line firstOpen(Tracker tracker);
    BenchReport::Line addPasswordEntry();
    // The Password Keeper shown with 9,999 entries in its list, against a
    // bare combo box filled with the same names after reading both files.
    BenchReport::Line openPasswordKeeper();
    // A new entry typed and saved in the Password Keeper's screen, against
    // writing the keeper's two files once.
    BenchReport::Line saveKeeperEntry();
    // The time the report takes and the size of its PDF.
    QList<BenchReport::Line> printWeightReport(int reportRows);
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
    // In the child process: opens the log first thing and prints the
    // milliseconds it took.
    int firstOpenChild(const QString& kind);

    // What went wrong in the cases run so far (a figure over a failed step
    // would mean nothing).
    const QStringList& problems() const { return m_problems; }

private:
    BenchReport::Line exportLog(const QString& kind, const QString& name, const QString& fileName);
    std::unique_ptr<TrackerScreen> newTracker(Tracker tracker);
    void selectIndividual(QWidget& screen, Tracker tracker);
    void checkWholeLogShown(QWidget& screen);
    std::unique_ptr<QTableWidget> newBareTable(const QList<QStringList>& rows) const;
    static void fillBareTable(QTableWidget& table, const QList<QStringList>& rows);
    QList<QStringList> shownLogRows(Tracker tracker) const;
    // The number a child process started with option and kind prints.
    double childFigure(const QString& option, const QString& kind);
    void check(bool ok, const QString& problem);

    ProgramFolder m_folder;
    Repetitions m_repetitions;
    QuietMessageService m_messages;
    QtSystemDialogs m_dialogs;
    SystemClock m_clock;
    ShellState m_state;
    HelpWindow m_help;
    // The bare table takes the size the log grid has on the screen.
    QSize m_gridSize { 600, 400 };
    QStringList m_problems;
};
