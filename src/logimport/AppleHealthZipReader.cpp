#include "AppleHealthZipReader.h"

#include "AppleHealthXmlReader.h"
#include "ZipArchive.h"
#include "ZipEntryDevice.h"

namespace {

SourceLog failed(const QString& error)
{
    SourceLog log;
    log.error = error;
    return log;
}

} // namespace

bool AppleHealthZipReader::isExport(const QByteArray& entryName)
{
    // Archivers on Windows have been known to write backslashes.
    return entryName == "export.xml" || entryName.endsWith("/export.xml")
        || entryName.endsWith("\\export.xml");
}

SourceLog AppleHealthZipReader::read(QIODevice& archive)
{
    ZipArchive zip(archive);
    const std::optional<ZipArchive::Entry> entry = zip.find(&AppleHealthZipReader::isExport);
    if (!entry)
        return failed(zip.error().isEmpty()
                ? QStringLiteral("the zip archive holds no export.xml; choose the export.zip the "
                                 "phone's Health app wrote, or the export.xml from it")
                : zip.error());
    ZipEntryDevice device(archive, *entry);
    if (!device.open(QIODevice::ReadOnly))
        return failed(device.failure());
    bool bounded = false;
    SourceLog log = AppleHealthXmlReader::read(device, &bounded);
    // A node past every bound is reason enough; the rest may unpack to
    // gigabytes.
    if (bounded)
        return log;
    // The XML may end before the entry does; its size and checksum are
    // checked only once the last byte is unpacked.
    char rest[4096];
    while (device.read(rest, sizeof rest) > 0) { }
    // A reader that met the device's failure saw only an early end of its
    // document, or none at all: the archive's reason is the one to give.
    if (!device.failure().isEmpty())
        return failed(device.failure());
    return log;
}
