#pragma once

#include "BenchReport.h"
#include "Repetitions.h"
#include "storage/ProgramFolder.h"

#include <QStringList>

// halvorn-data measured as the user meets it: a process of its own, its CPU
// time (user and system) against a program that does the least the same
// output needs.
class CommandLineCases
{
public:
    CommandLineCases(ProgramFolder folder, Repetitions repetitions);

    // `halvorn-data list weight`, against a Qt Core program that reads the
    // same list file and prints it.
    BenchReport::Line listStart();
    // `halvorn-data export weight` of 10,000 weigh-ins, against `cat` of
    // the weight file.
    BenchReport::Line exportWeight();

    const QStringList& problems() const { return m_problems; }

private:
    // The CPU time of program run on arguments, its output thrown away.
    double childMilliseconds(const QString& program, const QStringList& arguments);
    void check(bool ok, const QString& problem);

    ProgramFolder m_folder;
    Repetitions m_repetitions;
    QStringList m_problems;
};
