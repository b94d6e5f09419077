#include "SourceLogText.h"
#include "ZipBuilder.h"

#include "logimport/AppleHealthXmlReader.h"
#include "logimport/AppleHealthZipReader.h"
#include "logimport/LogSource.h"

#include <QBuffer>
#include <QDateTime>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <zlib.h>

namespace {

using File = ZipBuilder::File;

const QByteArray ExportName = "apple_health_export/export.xml";

SourceLog readArchive(QByteArray archive)
{
    QBuffer buffer(&archive);
    buffer.open(QIODevice::ReadOnly);
    return AppleHealthZipReader::read(buffer);
}

SourceLog readXml(QByteArray xml)
{
    QBuffer buffer(&xml);
    buffer.open(QIODevice::ReadOnly);
    return AppleHealthXmlReader::read(buffer);
}

// Enough weigh-ins that the XML reader has taken many of them before the
// damage in the middle of the entry is unpacked.
QByteArray manyWeighIns(int count)
{
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<HealthData locale=\"en_US\">\n";
    QDateTime when(QDate(2015, 1, 1), QTime(7, 0), Qt::UTC);
    for (int i = 0; i < count; ++i) {
        const QByteArray stamp = when.toString("yyyy-MM-dd HH:mm:ss").toLatin1() + " -0500";
        xml += " <Record type=\"HKQuantityTypeIdentifierBodyMass\" sourceName=\"Scale\" "
               "unit=\"kg\" startDate=\""
            + stamp + "\" endDate=\"" + stamp + "\" value=\"" + QByteArray::number(70 + i % 20)
            + "\"/>\n";
        when = when.addDays(1);
    }
    return xml + "</HealthData>\n";
}

// The archive the phone writes holds the clinical records beside the export
// and, for workouts, routes in a folder of their own.
QList<File> phoneArchive(const File& exportFile)
{
    return { { "apple_health_export/", "", 0 },
        { "apple_health_export/export_cda.xml", "<ClinicalDocument/>" },
        { "apple_health_export/workout-routes/route_2023-01-15.gpx", "<gpx/>" }, exportFile };
}

// The export entry with one thing about it changed.
File exportWith(const QByteArray& xml, const std::function<void(File&)>& change)
{
    File file(ExportName, xml);
    change(file);
    return file;
}

ZipBuilder builderOf(const QList<File>& files)
{
    ZipBuilder builder;
    for (const File& file : files)
        builder.add(file);
    return builder;
}

TEST(AppleHealthZipReader, ReadsTheExportAsEveryArchiverWritesIt)
{
    const QByteArray xml = fixture("apple-export.xml");
    const SourceLog plain = readXml(xml);
    ASSERT_FALSE(plain.readings.isEmpty());
    ASSERT_FALSE(plain.weighIns.isEmpty());
    const struct {
        const char* archive;
        ZipBuilder builder;
    } cases[] = {
        { "deflated beside the clinical export", builderOf(phoneArchive({ ExportName, xml })) },
        { "stored, at the top", builderOf({ { "export.xml", xml, 0 } }) },
        { "a data descriptor after the data",
            builderOf(phoneArchive(exportWith(xml, [](File& f) { f.dataDescriptor = true; }))) },
        { "zip64 fields and end record",
            builderOf(phoneArchive(exportWith(xml, [](File& f) { f.zip64 = true; }))).zip64End() },
        { "zip64 with a data descriptor, stored",
            builderOf({ exportWith(xml,
                          [](File& f) {
                              f.method = 0;
                              f.dataDescriptor = true;
                              f.zip64 = true;
                          }) })
                .zip64End() },
        { "an archive comment", builderOf(phoneArchive({ ExportName, xml })).comment("from Ann") },
        { "a backslash for the folder", builderOf({ { "apple_health_export\\export.xml", xml } }) },
    };
    for (const auto& c : cases) {
        const SourceLog log = readArchive(c.builder.build());
        EXPECT_EQ(log.error, "") << c.archive;
        EXPECT_EQ(readingLines(log), readingLines(plain)) << c.archive;
        EXPECT_EQ(weighInLines(log), weighInLines(plain)) << c.archive;
        EXPECT_EQ(log.refused, plain.refused) << c.archive;
    }
}

TEST(AppleHealthZipReader, TakesNothingFromADamagedArchive)
{
    const QByteArray xml = manyWeighIns(4000);
    ASSERT_EQ(readXml(xml).weighIns.size(), 4000);
    const QByteArray whole = builderOf(phoneArchive({ ExportName, xml })).build();
    const qsizetype directory = whole.indexOf("PK\x01\x02");
    // Sound deflated data for the first half of the export, then a block of
    // a type that does not exist.
    const QByteArray damaged = ZipBuilder::deflatedUnfinished(xml.left(xml.size() / 2)) + "\x07";
    const quint32 crc
        = quint32(crc32(0, reinterpret_cast<const Bytef*>(xml.constData()), uInt(xml.size())));

    // The expected text is held, not pointed to: one of them is made here.
    const struct {
        const char* archive;
        QByteArray bytes;
        QByteArray error;
    } cases[] = {
        { "no export.xml", builderOf({ { "apple_health_export/export_cda.xml", xml } }).build(),
            "the zip archive holds no export.xml" },
        { "protected by a password",
            builderOf(phoneArchive(exportWith(xml, [](File& f) { f.encrypted = true; }))).build(),
            "apple_health_export/export.xml in the zip archive is protected by a password" },
        { "packed with another method",
            builderOf(phoneArchive(exportWith(xml, [](File& f) { f.method = 12; }))).build(),
            "packed with method 12, which this program cannot unpack" },
        { "a wrong checksum",
            builderOf(phoneArchive(exportWith(xml, [&](File& f) { f.crc = crc ^ 1; }))).build(),
            "apple_health_export/export.xml does not match its checksum" },
        { "a wrong checksum, stored",
            builderOf({ exportWith(xml,
                          [&](File& f) {
                              f.method = 0;
                              f.crc = crc ^ 1;
                          }) })
                .build(),
            "does not match its checksum" },
        { "longer than the directory says",
            builderOf({ exportWith(xml, [&](File& f) { f.size = xml.size() - 1; }) }).build(),
            "export.xml is longer than its directory says" },
        { "shorter than the directory says",
            builderOf({ exportWith(xml, [&](File& f) { f.size = xml.size() + 1; }) }).build(),
            "export.xml unpacks to " + QByteArray::number(xml.size()) + " bytes, not the "
                + QByteArray::number(xml.size() + 1) },
        { "damaged packed data halfway",
            builderOf({ exportWith(xml, [&](File& f) { f.stored = damaged; }) }).build(),
            "the zip archive is damaged: apple_health_export/export.xml cannot be unpacked "
            "(invalid block type)" },
        { "packed data that stops halfway",
            builderOf({ exportWith(xml, [&](File& f) { f.stored = damaged.chopped(1); }) }).build(),
            "the zip archive is cut short inside apple_health_export/export.xml" },
        { "cut inside the data", whole.left(whole.size() / 2), "the zip archive is cut short" },
        { "cut inside the directory", whole.left(directory + 60), "the zip archive is cut short" },
        { "the end record alone", whole.right(22), "the zip archive is cut short" },
    };
    for (const auto& c : cases) {
        const SourceLog log = readArchive(c.bytes);
        EXPECT_TRUE(log.error.contains(QString::fromUtf8(c.error)))
            << c.archive << ": " << log.error.toStdString();
        EXPECT_TRUE(log.weighIns.isEmpty() && log.readings.isEmpty() && log.refused.isEmpty())
            << c.archive;
    }
}

TEST(AppleHealthZipReader, IsRecognisedAndReadAsTheExportInside)
{
    const QByteArray xml = fixture("apple-export.xml");
    const QByteArray archive = builderOf(phoneArchive({ ExportName, xml })).build();
    EXPECT_EQ(LogSource::detect(archive.left(LogSource::HeadSize)), LogSource::Format::Zip);
    EXPECT_EQ(LogSource::title(LogSource::Format::Zip), "Apple Health export.zip");

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile file(dir.filePath("export.zip"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(archive);
    file.close();
    // Named as the phone's export by the user, the archive reads the same.
    for (LogSource::Format format : { LogSource::Format::Zip, LogSource::Format::AppleHealth }) {
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(readingLines(LogSource::read(file, format)), readingLines(readXml(xml)));
        file.close();
    }
}

} // namespace
