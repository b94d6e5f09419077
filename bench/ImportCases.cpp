#include "ImportCases.h"

#include "HealthExportText.h"
#include "PeakMemory.h"
#include "datatool/LogImport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QXmlStreamReader>

#include <algorithm>
#include <cstdio>

namespace {

constexpr qint64 ExportBytes = qint64(200) * 1024 * 1024;

// The least a reader of the export can do: one pass of the stream, keeping
// each blood-pressure reading's texts.
bool parseBare(const QString& path, int& readings)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    struct Kept {
        QString date;
        QString systolic;
        QString diastolic;
    };
    QList<Kept> kept;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes attributes = xml.attributes();
        if (xml.name() == u"Correlation") {
            kept.append(Kept { attributes.value(QLatin1String("startDate")).toString(), {}, {} });
        } else if (xml.name() == u"Record" && !kept.isEmpty()) {
            const QStringView type = attributes.value(QLatin1String("type"));
            const QString value = attributes.value(QLatin1String("value")).toString();
            if (type.endsWith(u"Systolic"))
                kept.last().systolic = value;
            else if (type.endsWith(u"Diastolic"))
                kept.last().diastolic = value;
        }
    }
    readings = int(kept.size());
    return !xml.hasError();
}

} // namespace

ImportCases::ImportCases(Repetitions repetitions)
    : m_repetitions(repetitions)
{ }

QList<BenchReport::Line> ImportCases::importAppleHealthExport()
{
    if (!writeExport())
        return {};
    const Figures program = medianFigures(QStringLiteral("import"));
    const Figures floor = medianFigures(QStringLiteral("bare"));
    const QString floorName = QStringLiteral("a bare QXmlStreamReader pass keeping the readings");
    return {
        { QStringLiteral("import a 200 MB export.xml, memory rise"), program.riseMiB, floor.riseMiB,
            QStringLiteral("MiB"), floorName },
        { QStringLiteral("import a 200 MB export.xml, time"), program.milliseconds,
            floor.milliseconds, QStringLiteral("ms"), floorName },
    };
}

int ImportCases::child(const QString& kind, const QString& path)
{
    const qint64 before = PeakMemory::peakKiB();
    QElapsedTimer timer;
    timer.start();
    bool read = false;
    if (kind == u"import") {
        // An empty folder: the person is new, so every reading is planned.
        QTemporaryDir folder;
        LogImport::Request request;
        request.log = LogImport::Log::BloodPressure;
        request.name = QStringLiteral("Bench Import");
        request.path = path;
        const LogImport::Preview preview
            = LogImport::preview(ProgramFolder(folder.path()), request);
        read = preview.canApply() && preview.addedCount() > 0;
        if (!read)
            std::fprintf(stderr, "%s\n", qPrintable(preview.error));
    } else if (kind == u"bare") {
        int readings = 0;
        read = parseBare(path, readings) && readings > 0;
    }
    const double milliseconds = double(timer.nsecsElapsed()) / 1e6;
    std::printf("%lld %f\n", static_cast<long long>(PeakMemory::peakKiB() - before), milliseconds);
    return read ? 0 : 1;
}

// Written day by day, so that making the file does not raise this
// process's peak, and a child reads it from the page cache.
bool ImportCases::writeExport()
{
    check(m_dir.isValid(), QStringLiteral("no temporary folder for the export"));
    m_path = m_dir.filePath(QStringLiteral("export.xml"));
    QFile file(m_path);
    if (!file.open(QIODevice::WriteOnly)) {
        check(false, QStringLiteral("%1: %2").arg(m_path, file.errorString()));
        return false;
    }
    file.write(HealthExportText::head());
    for (QDate day = HealthExportText::FirstDay; file.size() < ExportBytes; day = day.addDays(1))
        file.write(HealthExportText::day(day));
    file.write(HealthExportText::tail());
    const bool written = file.error() == QFileDevice::NoError;
    check(written, QStringLiteral("%1: %2").arg(m_path, file.errorString()));
    return written;
}

// Each figure the median of its own, from one child per repetition.
ImportCases::Figures ImportCases::medianFigures(const QString& kind)
{
    QList<double> rises;
    QList<double> times;
    for (int i = 0; i < m_repetitions.count(); ++i) {
        const Figures figures = childFigures(kind);
        rises.append(figures.riseMiB);
        times.append(figures.milliseconds);
    }
    const auto median = [](QList<double>& values) {
        std::sort(values.begin(), values.end());
        return values.value(values.size() / 2);
    };
    return { median(rises), median(times) };
}

ImportCases::Figures ImportCases::childFigures(const QString& kind)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), { ChildOption, kind, m_path });
    const bool finished = child.waitForFinished(-1);
    const QList<QByteArray> figures = child.readAllStandardOutput().trimmed().split(' ');
    bool riseRead = false;
    bool timeRead = false;
    Figures read;
    read.riseMiB = figures.value(0).toDouble(&riseRead) / 1024;
    read.milliseconds = figures.value(1).toDouble(&timeRead);
    check(finished && child.exitCode() == 0 && riseRead && timeRead,
        QStringLiteral("the %1 import measurement failed").arg(kind));
    return read;
}

void ImportCases::check(bool ok, const QString& problem)
{
    if (!ok && !m_problems.contains(problem))
        m_problems.append(problem);
}
