#include "LogSource.h"

#include "AppleHealthXmlReader.h"
#include "AppleHealthZipReader.h"
#include "GarminCsvReader.h"
#include "OpenScaleCsvReader.h"
#include "SamsungHealthCsvReader.h"
#include "SourceValues.h"
#include "WithingsCsvReader.h"
#include "storage/CsvReader.h"

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

// The same names as SourceCsv looks them up.
QStringList firstLineNames(const QByteArray& head)
{
    return SourceValues::headerNames(firstLineHeadings(head));
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

std::optional<LogSource::Format> LogSource::detect(const QByteArray& head)
{
    if (head.startsWith("PK\x03\x04"))
        return Format::Zip;
    QByteArray text = head.left(HeadSize);
    if (text.startsWith("\xEF\xBB\xBF"))
        text.remove(0, 3);
    if (text.trimmed().startsWith("<")) {
        if (text.contains("<HealthData"))
            return Format::AppleHealth;
        return std::nullopt;
    }
    // None of the other programs' exports is JSON; whether it is the
    // program's own is told by its "kind", which may come after pictures
    // far beyond the head.
    if (text.trimmed().startsWith("{"))
        return Format::ProgramJson;
    if (text.trimmed().startsWith(SamsungHealthCsvReader::MetadataStart))
        return Format::SamsungHealth;
    const QStringList names = firstLineNames(text);
    const auto has = [&](const char* name) { return names.contains(QLatin1String(name)); };
    // The program's own export names its columns in lower case, with
    // "weight (kg)" when the person's unit is set: it must not be taken for
    // the health service's export, whose headings are capitalised.
    const QStringList headings = firstLineHeadings(text);
    const auto heads = [&](const char* name) { return headings.contains(QLatin1String(name)); };
    if (has("datetime") && has("weight"))
        return Format::OpenScale;
    if (heads("Date")
        && (heads("Weight (kg)") || heads("Weight (lb)")
            || (heads("Systolic") && heads("Heart rate"))))
        return Format::Withings;
    if (has("time") && has("weight"))
        return Format::Garmin;
    if (has("date")
        && (has("weight") || has("weight (kg)") || has("weight (lb)") || has("systolic")))
        return Format::ProgramCsv;
    return std::nullopt;
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
    const QByteArray bytes = device.readAll();
    switch (format) {
    case Format::OpenScale:
        return OpenScaleCsvReader::read(bytes);
    case Format::Withings:
        return firstLineNames(bytes.left(HeadSize)).contains(QStringLiteral("systolic"))
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
