#pragma once

#include "services/Outcome.h"
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

    // Writes a household into folder: people weight logs of a month each,
    // and a keeper of entries password entries, every file marked with tag
    // so that two households told apart by their tags differ in every
    // file. Empty when every file was written; otherwise what failed.
    static QString writeHousehold(
        const ProgramFolder& folder, int people, int entries, const QString& tag);

    // Empty when every file was written; otherwise what failed.
    QString error() const { return m_error; }
    ProgramFolder folder() const { return ProgramFolder(m_dir.path()); }
    QString path() const { return m_dir.path(); }

private:
    bool writeWeightFile();
    bool writeBloodPressureFile();
    bool writePasswordFiles();
    // True when done; otherwise notes the reason as this folder's error.
    bool succeeded(const Outcome& outcome);
    static bool writePasswordEntries(
        const ProgramFolder& folder, int count, const QString& tag, QString* error);

    QTemporaryDir m_dir;
    QString m_error;
};
