#include "ZipImportCases.h"

#include "HealthExportText.h"
#include "HealthExportZip.h"
#include "PeakMemory.h"
#include "logimport/LogSource.h"
#include "logimport/ZipArchive.h"
#include "logimport/ZipEntryDevice.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>

#include <cstdio>

namespace {

// Large enough that holding the XML, or a fraction of it, would show.
constexpr qint64 ExportXmlSize = qint64(300) * 1024 * 1024;

SourceLog readArchive(const QString& path)
{
    QFile file(path);
    SourceLog log;
    if (!file.open(QIODevice::ReadOnly)) {
        log.error = file.errorString();
        return log;
    }
    const std::optional<LogSource::Format> format
        = LogSource::detect(file.peek(LogSource::HeadSize));
    if (format != LogSource::Format::Zip) {
        log.error = QStringLiteral("the archive is not recognised as one");
        return log;
    }
    return LogSource::read(file, *format);
}

// The floor: every byte of export.xml unpacked and thrown away.
bool unpackArchive(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    ZipArchive archive(file);
    const std::optional<ZipArchive::Entry> entry
        = archive.find([](const QByteArray& name) { return name.endsWith("/export.xml"); });
    if (!entry)
        return false;
    ZipEntryDevice device(file, *entry);
    if (!device.open(QIODevice::ReadOnly))
        return false;
    char chunk[16 * 1024];
    while (device.read(chunk, sizeof chunk) > 0) { }
    return device.failure().isEmpty();
}

} // namespace

ZipImportCases::ZipImportCases(Repetitions repetitions)
    : m_repetitions(repetitions)
{ }

QList<BenchReport::Line> ZipImportCases::readHealthExportZip()
{
    if (!makeArchive())
        return {};
    const double program = m_repetitions.medianMilliseconds([&] {
        const SourceLog log = readArchive(m_archive);
        check(!log.failed() && log.weighIns.size() == m_days * HealthExportText::WeighInsPerDay
                && log.readings.size() == m_days * HealthExportText::ReadingsPerDay,
            QStringLiteral("export.zip was not read whole: %1").arg(log.error));
    });
    const double floor = m_repetitions.medianMilliseconds(
        [&] { check(unpackArchive(m_archive), QStringLiteral("export.zip did not unpack")); });
    const double rise = m_repetitions.median([&] { return childPeakKiB("read") / 1024; });
    const double floorRise = m_repetitions.median([&] { return childPeakKiB("unpack") / 1024; });
    const QString name = QStringLiteral("export.zip, %1 MB of XML").arg(ExportXmlSize >> 20);
    return { { QStringLiteral("read %1").arg(name), program, floor, QStringLiteral("ms"),
                 QStringLiteral("unpacking export.xml alone") },
        { QStringLiteral("peak memory, %1").arg(name), rise, floorRise, QStringLiteral("MiB"),
            QStringLiteral("unpacking export.xml alone (rise over start-up)") } };
}

int ZipImportCases::peakMemoryChild(const QString& kind, const QString& archive)
{
    const qint64 before = PeakMemory::residentKiB();
    bool ok = false;
    if (kind == u"read")
        ok = !readArchive(archive).failed();
    else if (kind == u"unpack")
        ok = unpackArchive(archive);
    else
        return 2;
    std::printf("%lld\n", static_cast<long long>(PeakMemory::peakKiB() - before));
    return ok ? 0 : 1;
}

bool ZipImportCases::makeArchive()
{
    if (!m_archive.isEmpty())
        return true;
    check(m_dir.isValid(), QStringLiteral("no temporary folder for export.zip"));
    if (!m_dir.isValid())
        return false;
    const QString path = m_dir.filePath(QStringLiteral("export.zip"));
    const QString error = HealthExportZip::write(path, ExportXmlSize, m_days);
    check(error.isEmpty(), QStringLiteral("export.zip could not be written: %1").arg(error));
    if (!error.isEmpty())
        return false;
    m_archive = path;
    return true;
}

double ZipImportCases::childPeakKiB(const QString& kind)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), { PeakMemoryOption, kind, m_archive });
    const bool finished = child.waitForFinished(-1);
    bool number = false;
    const double figure = child.readAllStandardOutput().trimmed().toDouble(&number);
    check(finished && child.exitCode() == 0 && number,
        QStringLiteral("the %1 %2 measurement failed").arg(PeakMemoryOption, kind));
    return figure;
}

void ZipImportCases::check(bool ok, const QString& problem)
{
    if (!ok && !m_problems.contains(problem))
        m_problems.append(problem);
}
