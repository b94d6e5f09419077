#pragma once

#include <QString>
#include <QTextStream>

// The benchmark's table on the standard output: one line per case, this
// program's figure beside its floor and their ratio, printed as each case
// ends so that a long run shows progress.
class BenchReport
{
public:
    struct Line {
        QString caseName;
        double program = 0;
        double floor = 0;
        QString unit; // "ms" or "MiB"
        QString floorName;
    };

    BenchReport();

    void printHeading(int repetitions);
    void print(const Line& line);

private:
    QTextStream m_out;
};
