#pragma once

#include "BenchReport.h"
#include "Repetitions.h"

#include <QList>
#include <QStringList>
#include <QTemporaryDir>

// Reading a large phone health export.zip: the time it takes and how far the
// memory rises, each against unpacking its export.xml alone, which the read
// cannot do without. The archive is made once, the first time a case needs
// it.
class ZipImportCases
{
public:
    // The child's command line: this option, the kind ("read" or
    // "unpack"), the archive.
    static inline const QString PeakMemoryOption = QStringLiteral("--zip-import-peak-memory");

    explicit ZipImportCases(Repetitions repetitions);

    QList<BenchReport::Line> readHealthExportZip();

    // In the child process: reads or unpacks the archive and prints how far
    // the resident memory rose, in KiB.
    static int peakMemoryChild(const QString& kind, const QString& archive);

    const QStringList& problems() const { return m_problems; }

private:
    bool makeArchive();
    double childPeakKiB(const QString& kind);
    void check(bool ok, const QString& problem);

    Repetitions m_repetitions;
    QTemporaryDir m_dir;
    QString m_archive;
    int m_days = 0;
    QStringList m_problems;
};
