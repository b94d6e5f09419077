#include "BenchReport.h"

#include <cstdio>

namespace {

constexpr int CaseWidth = 46;
constexpr int FigureWidth = 12;
constexpr int RatioWidth = 9;

QString figure(double value, const QString& unit)
{
    // Floors can be a few hundredths of a millisecond.
    return QStringLiteral("%1 %2").arg(value, 0, 'f', value < 10 ? 2 : 1).arg(unit);
}

} // namespace

BenchReport::BenchReport()
    : m_out(stdout)
{ }

void BenchReport::printHeading(int repetitions)
{
    m_out << QStringLiteral("halvorn-bench: %1 build, median of %2 runs per figure, "
                            "each floor measured in the same run")
                 .arg(QStringLiteral(HALVORN_BENCH_BUILD_TYPE))
                 .arg(repetitions)
          << '\n'
          << QStringLiteral("case").leftJustified(CaseWidth)
          << QStringLiteral("halvorn").rightJustified(FigureWidth)
          << QStringLiteral("floor").rightJustified(FigureWidth)
          << QStringLiteral("ratio").rightJustified(RatioWidth) << QStringLiteral("  floor is")
          << Qt::endl;
}

void BenchReport::print(const Line& line)
{
    const QString ratio = line.floor > 0
        ? QStringLiteral("%1x").arg(line.program / line.floor, 0, 'f', 1)
        : QStringLiteral("-");
    m_out << line.caseName.leftJustified(CaseWidth)
          << figure(line.program, line.unit).rightJustified(FigureWidth)
          << figure(line.floor, line.unit).rightJustified(FigureWidth)
          << ratio.rightJustified(RatioWidth) << QStringLiteral("  ") << line.floorName << Qt::endl;
}
