#include "logimport/AppleHealthXmlReader.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The most memory the process has held so far (VmHWM), in bytes.
qint64 peakMemory()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong() * 1024;
    return -1;
}

// Written record by record, so that making the file does not itself raise
// the peak the reading is measured against.
bool writeExport(const QString& path, qint64 size, int& records)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<HealthData locale=\"en_US\">\n");
    QDateTime when(QDate(2015, 1, 1), QTime(7, 0), Qt::UTC);
    records = 0;
    while (file.size() < size) {
        const QByteArray stamp = when.toString("yyyy-MM-dd HH:mm:ss").toLatin1() + " -0500";
        file.write(" <Record type=\"HKQuantityTypeIdentifierHeartRate\" sourceName=\"Watch\" "
                   "unit=\"count/min\" startDate=\""
            + stamp + "\" endDate=\"" + stamp + "\" value=\"66\"/>\n");
        file.write(" <Record type=\"HKQuantityTypeIdentifierBodyMass\" sourceName=\"Scale\" "
                   "unit=\"kg\" startDate=\""
            + stamp + "\" endDate=\"" + stamp + "\" value=\"80.4\"/>\n");
        file.write(" <Correlation type=\"HKCorrelationTypeIdentifierBloodPressure\" "
                   "sourceName=\"Cuff\" startDate=\""
            + stamp + "\" endDate=\"" + stamp
            + "\">\n  <Record type=\"HKQuantityTypeIdentifierBloodPressureSystolic\" "
              "unit=\"mmHg\" startDate=\""
            + stamp + "\" endDate=\"" + stamp
            + "\" value=\"120\"/>\n  <Record "
              "type=\"HKQuantityTypeIdentifierBloodPressureDiastolic\" "
              "unit=\"mmHg\" startDate=\""
            + stamp + "\" endDate=\"" + stamp + "\" value=\"80\"/>\n </Correlation>\n");
        // Several step records for every reading, as a phone writes them.
        for (int i = 0; i < 6; ++i)
            file.write(" <Record type=\"HKQuantityTypeIdentifierStepCount\" sourceName=\"Phone\" "
                       "unit=\"count\" startDate=\""
                + stamp + "\" endDate=\"" + stamp + "\" value=\"120\"/>\n");
        when = when.addSecs(3 * 3600);
        ++records;
    }
    file.write("</HealthData>\n");
    return file.error() == QFileDevice::NoError;
}

// A benchmark, not part of the suite's run: run it with
// --gtest_also_run_disabled_tests --gtest_filter='*Memory*'.
TEST(AppleHealthXmlReaderBenchmark, DISABLED_ReadsA200MegabyteExportInLittleMemory)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("export.xml"));
    int records = 0;
    ASSERT_TRUE(writeExport(path, qint64(200) * 1024 * 1024, records));

    const qint64 before = peakMemory();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const SourceLog log = AppleHealthXmlReader::read(file);
    const qint64 rise = peakMemory() - before;

    ASSERT_FALSE(log.failed()) << log.error.toStdString();
    EXPECT_EQ(log.weighIns.size(), records);
    EXPECT_EQ(log.readings.size(), records);
    std::printf("%d readings and weigh-ins each; peak memory rose by %.1f MiB\n", records,
        double(rise) / (1024 * 1024));
    EXPECT_LT(rise, qint64(50) * 1024 * 1024);
}

} // namespace
