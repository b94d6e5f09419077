#pragma once

#include "BenchReport.h"
#include "Repetitions.h"

#include <QStringList>
#include <QTemporaryDir>

// Importing a phone's health export of 200 MB: how far the memory rises and
// how long it takes, each figure from a process of its own, against a bare
// streaming parse of the same file that keeps the same readings.
class ImportCases
{
public:
    // The child's command line: this option, the kind ("import" or
    // "bare"), the export's path.
    static inline const QString ChildOption = QStringLiteral("--import-child");

    explicit ImportCases(Repetitions repetitions);

    QList<BenchReport::Line> importAppleHealthExport();

    // In the child process: previews the import of the export into a new
    // person's blood-pressure log (which reads and plans every row), or
    // parses it bare, and prints the rise of the peak memory in KiB and the
    // milliseconds it took.
    static int child(const QString& kind, const QString& path);

    const QStringList& problems() const { return m_problems; }

private:
    struct Figures {
        double riseMiB = 0;
        double milliseconds = 0;
    };

    bool writeExport();
    Figures medianFigures(const QString& kind);
    Figures childFigures(const QString& kind);
    void check(bool ok, const QString& problem);

    Repetitions m_repetitions;
    QTemporaryDir m_dir;
    QString m_path;
    QStringList m_problems;
};
