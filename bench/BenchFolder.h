#pragma once

#include "storage/ProgramFolder.h"

#include <QString>
#include <QTemporaryDir>

// A temporary program folder holding the benchmark's files, written by the
// program's own writers: one weight individual with 10,000 weigh-ins, one
// blood-pressure individual with 10,000 readings, and 9,999 password entries
// in use. Removed when the object goes.
class BenchFolder
{
public:
    static constexpr int LogRows = 10'000;
    static constexpr int PasswordEntries = 9'999;
    static inline const QString WeightName = QStringLiteral("Bench Weight");
    static inline const QString BloodPressureName = QStringLiteral("Bench Pressure");

    BenchFolder();

    // Empty when every file was written; otherwise what failed.
    QString error() const { return m_error; }
    ProgramFolder folder() const { return ProgramFolder(m_dir.path()); }
    QString path() const { return m_dir.path(); }

private:
    bool writeWeightFile();
    bool writeBloodPressureFile();
    bool writePasswordFiles();

    QTemporaryDir m_dir;
    QString m_error;
};
