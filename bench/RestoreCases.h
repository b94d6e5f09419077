#pragma once

#include "BenchReport.h"
#include "Repetitions.h"

#include <QStringList>

// Restores of 2,000 people's weight logs through halvorn-data's code, in
// CPU time, against `cp -a` of the same backup: one function's restore and
// the restore of a dated backup of everything. Each restore puts back a
// household that differs from the program folder's in every file, so every
// file is replaced.
class RestoreCases
{
public:
    explicit RestoreCases(Repetitions repetitions);

    BenchReport::Line restoreWeight();
    BenchReport::Line restoreAll();

    const QStringList& problems() const { return m_problems; }

private:
    // The CPU time of one halvorn-data run on arguments, in this process.
    double toolMilliseconds(const QString& folder, const QStringList& arguments);
    double copyMilliseconds(const QString& from);
    void check(bool ok, const QString& problem);

    Repetitions m_repetitions;
    QStringList m_problems;
};
