#include "CommandLineCases.h"

#include "BenchFolder.h"
#include "weight/WeightFile.h"

#include <QProcess>

#include <sys/resource.h>
#include <utility>

namespace {

double childrenCpuMilliseconds()
{
    rusage usage {};
    getrusage(RUSAGE_CHILDREN, &usage);
    const auto ms
        = [](const timeval& time) { return time.tv_sec * 1000.0 + time.tv_usec / 1000.0; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

} // namespace

CommandLineCases::CommandLineCases(ProgramFolder folder, Repetitions repetitions)
    : m_folder(std::move(folder))
    , m_repetitions(repetitions)
{ }

void CommandLineCases::check(bool ok, const QString& problem)
{
    if (!ok && !m_problems.contains(problem))
        m_problems.append(problem);
}

double CommandLineCases::childMilliseconds(const QString& program, const QStringList& arguments)
{
    QProcess child;
    child.setProgram(program);
    child.setArguments(arguments);
    child.setStandardOutputFile(QProcess::nullDevice());
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const double before = childrenCpuMilliseconds();
    child.start();
    const bool finished = child.waitForFinished(-1);
    check(finished && child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0,
        QStringLiteral("%1 %2 failed").arg(program, arguments.join(u' ')));
    return childrenCpuMilliseconds() - before;
}

BenchReport::Line CommandLineCases::listStart()
{
    const double program = m_repetitions.median([&] {
        return childMilliseconds(QStringLiteral(HALVORN_DATA_PROGRAM),
            { QStringLiteral("list"), QStringLiteral("weight"), QStringLiteral("--dir"),
                m_folder.path() });
    });
    const double floor = m_repetitions.median([&] {
        return childMilliseconds(QStringLiteral(HALVORN_BENCH_CORE_PROGRAM),
            { m_folder.filePath(WeightFile::ListFileName) });
    });
    return { QStringLiteral("halvorn-data list weight (CPU)"), program, floor, QStringLiteral("ms"),
        QStringLiteral("a Qt Core program printing the list file") };
}

BenchReport::Line CommandLineCases::exportWeight()
{
    const double program = m_repetitions.median([&] {
        return childMilliseconds(QStringLiteral(HALVORN_DATA_PROGRAM),
            { QStringLiteral("export"), QStringLiteral("weight"), BenchFolder::WeightName,
                QStringLiteral("--dir"), m_folder.path() });
    });
    const double floor = m_repetitions.median([&] {
        return childMilliseconds(QStringLiteral("cat"),
            { m_folder.filePath(BenchFolder::WeightName + WeightFile::Extension) });
    });
    return { QStringLiteral("halvorn-data export weight, 10,000 (CPU)"), program, floor,
        QStringLiteral("ms"), QStringLiteral("cat of the weight file") };
}
