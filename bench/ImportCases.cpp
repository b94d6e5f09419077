#include "ImportCases.h"

#include "PeakMemory.h"
#include "datatool/LogImport.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QXmlStreamReader>

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
    Figures program;
    Figures floor;
    QList<double> rises;
    program.riseMiB = m_repetitions.median([&] {
        const Figures figures = childFigures(QStringLiteral("import"));
        rises.append(figures.milliseconds);
        return figures.riseMiB;
    });
    std::sort(rises.begin(), rises.end());
    program.milliseconds = rises.value(rises.size() / 2);
    rises.clear();
    floor.riseMiB = m_repetitions.median([&] {
        const Figures figures = childFigures(QStringLiteral("bare"));
        rises.append(figures.milliseconds);
        return figures.riseMiB;
    });
    std::sort(rises.begin(), rises.end());
    floor.milliseconds = rises.value(rises.size() / 2);
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

// A phone's export as it grows over the years: a heart rate every ten
// minutes and the steps of every hour, which are most of the file, one
// weigh-in and two blood-pressure readings a day. Written day by day, so
// that making the file does not raise this process's peak, and a child reads
// it from the page cache.
bool ImportCases::writeExport()
{
    check(m_dir.isValid(), QStringLiteral("no temporary folder for the export"));
    m_path = m_dir.filePath(QStringLiteral("export.xml"));
    QFile file(m_path);
    if (!file.open(QIODevice::WriteOnly)) {
        check(false, QStringLiteral("%1: %2").arg(m_path, file.errorString()));
        return false;
    }
    const auto stampOf = [](const QDateTime& when) {
        return when.toString(u"yyyy-MM-dd HH:mm:ss").toLatin1() + " -0500";
    };
    const auto record = [&](const char* type, const char* source, const char* unit,
                            const QDateTime& when, const QByteArray& value) {
        const QByteArray stamp = stampOf(when);
        return QByteArray(" <Record type=\"HKQuantityTypeIdentifier") + type + "\" sourceName=\""
            + source + "\" unit=\"" + unit + "\" creationDate=\"" + stamp + "\" startDate=\""
            + stamp + "\" endDate=\"" + stamp + "\" value=\"" + value + "\"/>\n";
    };
    file.write("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<HealthData locale=\"en_US\">\n");
    QDate day(2008, 1, 1);
    while (file.size() < ExportBytes) {
        QByteArray written;
        const QDateTime morning(day, QTime(7, 30));
        for (int minute = 0; minute < 24 * 60; minute += 10)
            written += record("HeartRate", "Watch", "count/min",
                morning.addSecs(minute * 60 - 7 * 3600), QByteArray::number(58 + minute % 40));
        for (int hour = 0; hour < 24; ++hour)
            written += record("StepCount", "Phone", "count", QDateTime(day, QTime(hour, 0)),
                QByteArray::number(100 + hour * 17));
        written += record("BodyMass", "Scale", "kg", morning.addSecs(-600), "80.4");
        for (const QDateTime& when : { morning, QDateTime(day, QTime(21, 5)) }) {
            const QByteArray stamp = stampOf(when);
            written += " <Correlation type=\"HKCorrelationTypeIdentifierBloodPressure\" "
                       "sourceName=\"Cuff\" startDate=\""
                + stamp + "\" endDate=\"" + stamp + "\">\n "
                + record("BloodPressureSystolic", "Cuff", "mmHg", when, "124") + " "
                + record("BloodPressureDiastolic", "Cuff", "mmHg", when, "81")
                + " </Correlation>\n";
        }
        file.write(written);
        day = day.addDays(1);
    }
    file.write("</HealthData>\n");
    const bool written = file.error() == QFileDevice::NoError;
    check(written, QStringLiteral("%1: %2").arg(m_path, file.errorString()));
    return written;
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
