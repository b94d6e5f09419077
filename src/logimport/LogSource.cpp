#include "LogSource.h"

#include "AppleHealthXmlReader.h"
#include "AppleHealthZipReader.h"
#include "BoundedXmlDevice.h"
#include "GarminCsvReader.h"
#include "OpenScaleCsvReader.h"
#include "SamsungHealthCsvReader.h"
#include "SourceValues.h"
#include "WithingsCsvReader.h"
#include "WithingsHeadings.h"
#include "storage/CsvReader.h"

#include <QBuffer>
#include <QXmlStreamReader>

namespace {

struct Named {
    LogSource::Format format;
    const char* name;
    const char* title;
};

constexpr Named Formats[] = {
    { LogSource::Format::OpenScale, "openscale", "openScale CSV" },
    { LogSource::Format::Withings, "withings", "Withings CSV" },
    { LogSource::Format::Garmin, "garmin", "Garmin Connect CSV" },
    { LogSource::Format::SamsungHealth, "samsung", "Samsung Health CSV" },
    { LogSource::Format::AppleHealth, "apple", "Apple Health export.xml" },
    { LogSource::Format::ProgramCsv, "csv", "Halvorn CSV" },
    { LogSource::Format::ProgramJson, "json", "Halvorn JSON" },
    { LogSource::Format::Mapped, "mapped", "CSV with chosen columns" },
    { LogSource::Format::Zip, "zip", "Apple Health export.zip" },
};

// The cells of the first non-blank line, trimmed; a head cut inside a
// quoted field leaves the line as far as it goes.
QStringList firstLineHeadings(const QByteArray& head)
{
    QByteArray text = head;
    if (text.startsWith("\xEF\xBB\xBF"))
        text.remove(0, 3);
    for (QByteArray line : text.split('\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.count(',') == line.size())
            continue;
        const std::optional<QList<CsvReader::Record>> records = CsvReader::parse(line);
        if (!records || records->isEmpty())
            return {};
        QStringList headings;
        for (const QString& field : records->first().fields)
            headings.append(field.trimmed());
        return headings;
    }
    return {};
}

} // namespace

QString LogSource::name(Format format)
{
    for (const Named& named : Formats)
        if (named.format == format)
            return QString::fromLatin1(named.name);
    return {};
}

QString LogSource::title(Format format)
{
    for (const Named& named : Formats)
        if (named.format == format)
            return QString::fromLatin1(named.title);
    return {};
}

std::optional<LogSource::Format> LogSource::formatNamed(const QString& name)
{
    for (const Named& named : Formats)
        if (named.format != Format::Zip
            && name.trimmed().compare(QLatin1String(named.name), Qt::CaseInsensitive) == 0)
            return named.format;
    return std::nullopt;
}

QStringList LogSource::names()
{
    QStringList all;
    for (const Named& named : Formats)
        if (named.format != Format::Zip)
            all.append(QString::fromLatin1(named.name));
    return all;
}

QString LogSource::unreadableMessage(const QString& unreadable)
{
    return QStringLiteral("not a file Halvorn can read (%1)").arg(unreadable);
}

namespace {

QByteArray withoutMark(const QByteArray& head)
{
    return head.startsWith("\xEF\xBB\xBF") ? head.mid(3) : head;
}

// The name of the first element, streamed to past a DOCTYPE of any length
// but never further than XmlHeadLimit; empty when there is none.
QString firstElement(QIODevice& device)
{
    BoundedXmlDevice limited(device, LogSource::XmlHeadLimit);
    limited.open(QIODevice::ReadOnly);
    QXmlStreamReader xml(&limited);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement)
            return xml.name().toString();
    }
    return {};
}

std::optional<LogSource::Format> csvFormat(const QByteArray& head)
{
    using Format = LogSource::Format;
    const QByteArray text = withoutMark(head);
    if (text.trimmed().startsWith(SamsungHealthCsvReader::MetadataStart))
        return Format::SamsungHealth;
    // Each export by its headings as the app writes them; the program's own
    // export names its columns in lower case.
    const QStringList headings = firstLineHeadings(text);
    const QStringList names = SourceValues::headerNames(headings);
    const auto has = [&](const char* name) { return names.contains(QLatin1String(name)); };
    if (OpenScaleCsvReader::isVersion2(headings) || OpenScaleCsvReader::isVersion3(headings))
        return Format::OpenScale;
    if (WithingsHeadings::weightFile(headings) || WithingsHeadings::bloodPressureFile(headings))
        return Format::Withings;
    if (has("time") && has("weight") && !has("date"))
        return Format::Garmin;
    if (has("date")
        && (has("weight") || has("weight (kg)") || has("weight (lb)") || has("systolic")))
        return Format::ProgramCsv;
    return std::nullopt;
}

} // namespace

std::optional<LogSource::Format> LogSource::detect(QIODevice& device, QString* unreadable)
{
    const QByteArray head = device.peek(HeadSize);
    if (head.startsWith("PK\x03\x04"))
        return Format::Zip;
    const QByteArray text = withoutMark(head).trimmed();
    if (text.startsWith('<')) {
        const QString element = firstElement(device);
        if (!device.isSequential())
            device.seek(0);
        if (element == u"HealthData")
            return Format::AppleHealth;
        if (unreadable)
            *unreadable = element.isEmpty()
                ? QStringLiteral("an XML file without an element in its first megabyte")
                : QStringLiteral("an XML file whose first element is <%1>, not the phone's "
                                 "health export")
                      .arg(element);
        return std::nullopt;
    }
    // None of the other programs' exports is JSON; whether it is the
    // program's own is told by its "kind", which may come after pictures
    // far beyond the head.
    if (text.startsWith('{'))
        return Format::ProgramJson;
    if (const std::optional<Format> format = csvFormat(head))
        return format;
    if (unreadable
        && (head.contains('\0') || !CsvReader::parse(head.left(head.lastIndexOf('\n') + 1))))
        *unreadable = QStringLiteral("neither a table of values nor an export this program "
                                     "knows");
    return std::nullopt;
}

std::optional<LogSource::Format> LogSource::detect(const QByteArray& head, QString* unreadable)
{
    QByteArray copy = head;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return detect(buffer, unreadable);
}

SourceLog LogSource::read(QIODevice& device, Format format)
{
    // The phone's export named by the user may still be the archive.
    if (format == Format::Zip
        || (format == Format::AppleHealth && detect(device.peek(4)) == Format::Zip))
        return AppleHealthZipReader::read(device);
    if (format == Format::AppleHealth)
        return AppleHealthXmlReader::read(device);
    SourceLog log;
    if (format == Format::ProgramCsv) {
        log.error = QStringLiteral("the program's own CSV is read by the checked CSV import");
        return log;
    }
    // A regular file too large is refused unread, a device of no size
    // (a pipe) once it has given more.
    const bool tooLarge = !device.isSequential() && device.size() > CsvSizeLimit;
    const QByteArray bytes = tooLarge ? QByteArray() : device.read(CsvSizeLimit + 1);
    if (tooLarge || bytes.size() > CsvSizeLimit) {
        log.error = QStringLiteral("the file is larger than %1 MiB, far more than any CSV export "
                                   "of a log; is it the right file?")
                        .arg(CsvSizeLimit / 1024 / 1024);
        return log;
    }
    switch (format) {
    case Format::OpenScale:
        return OpenScaleCsvReader::read(bytes);
    case Format::Withings:
        return WithingsHeadings::bloodPressureFile(
                   firstLineHeadings(withoutMark(bytes.left(HeadSize))))
            ? WithingsCsvReader::readBloodPressure(bytes)
            : WithingsCsvReader::readWeight(bytes);
    case Format::Garmin:
        return GarminCsvReader::read(bytes);
    case Format::SamsungHealth:
        return SamsungHealthCsvReader::read(bytes);
    default:
        break;
    }
    return log;
}
