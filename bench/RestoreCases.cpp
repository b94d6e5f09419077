#include "RestoreCases.h"

#include "BenchFolder.h"
#include "CpuTime.h"
#include "datatool/DataTool.h"
#include "storage/ProgramFolder.h"

#include <QBuffer>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

namespace {

constexpr int RestorePeople = 2'000;

} // namespace

RestoreCases::RestoreCases(Repetitions repetitions)
    : m_repetitions(repetitions)
{ }

void RestoreCases::check(bool ok, const QString& problem)
{
    if (!ok && !m_problems.contains(problem))
        m_problems.append(problem);
}

double RestoreCases::toolMilliseconds(const QString& folder, const QStringList& arguments)
{
    QBuffer out;
    QBuffer err;
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);
    DataTool tool(out, err, false, folder);
    const double before = CpuTime::ownMilliseconds();
    const int status = tool.run(arguments);
    const double spent = CpuTime::ownMilliseconds() - before;
    check(status == DataTool::Success,
        QStringLiteral("halvorn-data %1 failed: %2")
            .arg(arguments.join(u' '), QString::fromUtf8(err.data())));
    return spent;
}

double RestoreCases::copyMilliseconds(const QString& from)
{
    QTemporaryDir target;
    const double before = CpuTime::childrenMilliseconds();
    const int status = QProcess::execute(
        QStringLiteral("cp"), { QStringLiteral("-a"), from + QStringLiteral("/."), target.path() });
    check(status == 0, QStringLiteral("cp -a failed"));
    return CpuTime::childrenMilliseconds() - before;
}

BenchReport::Line RestoreCases::restoreWeight()
{
    QTemporaryDir program;
    QTemporaryDir older;
    QTemporaryDir backups;
    const QString backup = QDir(backups.path()).filePath(QStringLiteral("weight"));
    for (const auto& [folder, tag] : { std::pair { &older, QStringLiteral("older") },
             std::pair { &program, QStringLiteral("newer") } }) {
        const QString written
            = BenchFolder::writeHousehold(ProgramFolder(folder->path()), RestorePeople, 0, tag);
        check(
            written.isEmpty(), QStringLiteral("the people could not be written: %1").arg(written));
    }
    toolMilliseconds(older.path(), { QStringLiteral("backup"), QStringLiteral("weight"), backup });
    // Each run restores the older household and then the newer one again,
    // so that every timed run replaces every file.
    const double restored = m_repetitions.median([&] {
        const double spent = toolMilliseconds(program.path(),
            { QStringLiteral("restore"), QStringLiteral("weight"), backup,
                QStringLiteral("--yes") });
        const QString written = BenchFolder::writeHousehold(
            ProgramFolder(program.path()), RestorePeople, 0, QStringLiteral("newer"));
        check(
            written.isEmpty(), QStringLiteral("the people could not be written: %1").arg(written));
        return spent;
    });
    const double floor = m_repetitions.median([&] { return copyMilliseconds(backup); });
    return { QStringLiteral("restore weight, %1 people (CPU)").arg(RestorePeople), restored, floor,
        QStringLiteral("ms"), QStringLiteral("cp -a of the backup") };
}

BenchReport::Line RestoreCases::restoreAll()
{
    QTemporaryDir program;
    QTemporaryDir older;
    QTemporaryDir backups;
    for (const auto& [folder, tag] : { std::pair { &older, QStringLiteral("older") },
             std::pair { &program, QStringLiteral("newer") } }) {
        const QString written
            = BenchFolder::writeHousehold(ProgramFolder(folder->path()), RestorePeople, 0, tag);
        check(
            written.isEmpty(), QStringLiteral("the people could not be written: %1").arg(written));
    }
    toolMilliseconds(
        older.path(), { QStringLiteral("backup"), QStringLiteral("all"), backups.path() });
    const QStringList dated = QDir(backups.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    check(dated.size() == 1, QStringLiteral("backup all made no dated folder"));
    const QString backup = QDir(backups.path()).filePath(dated.value(0));
    const double restored = m_repetitions.median([&] {
        const double spent = toolMilliseconds(program.path(),
            { QStringLiteral("restore"), QStringLiteral("all"), backup, QStringLiteral("--yes") });
        const QString written = BenchFolder::writeHousehold(
            ProgramFolder(program.path()), RestorePeople, 0, QStringLiteral("newer"));
        check(
            written.isEmpty(), QStringLiteral("the people could not be written: %1").arg(written));
        return spent;
    });
    const double floor = m_repetitions.median([&] { return copyMilliseconds(backup); });
    return { QStringLiteral("restore all, %1 people (CPU)").arg(RestorePeople), restored, floor,
        QStringLiteral("ms"), QStringLiteral("cp -a of the backup") };
}
