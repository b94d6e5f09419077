#include "AppleHealthXmlReader.h"

#include "BoundedXmlDevice.h"
#include "SourceValues.h"

#include <QRegularExpression>
#include <QXmlStreamReader>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace {

const QString BodyMass = QStringLiteral("HKQuantityTypeIdentifierBodyMass");
const QString HeartRate = QStringLiteral("HKQuantityTypeIdentifierHeartRate");
const QString Systolic = QStringLiteral("HKQuantityTypeIdentifierBloodPressureSystolic");
const QString Diastolic = QStringLiteral("HKQuantityTypeIdentifierBloodPressureDiastolic");
const QString BloodPressure = QStringLiteral("HKCorrelationTypeIdentifierBloodPressure");

struct Moment {
    QDate date;
    QTime time;
    qint64 instant = 0; // seconds since the epoch, from the written offset
};

std::optional<Moment> momentOf(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral(
        "^(\\d{4}-\\d{2}-\\d{2}) (\\d{2}:\\d{2}:\\d{2})(?: ([+-])(\\d{2})(\\d{2}))?$"));
    const QRegularExpressionMatch match = pattern.match(text.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    Moment moment;
    moment.date = QDate::fromString(match.captured(1), QStringLiteral("yyyy-MM-dd"));
    moment.time = QTime::fromString(match.captured(2), QStringLiteral("HH:mm:ss"));
    if (!moment.date.isValid() || !moment.time.isValid())
        return std::nullopt;
    int offset = match.captured(4).toInt() * 3600 + match.captured(5).toInt() * 60;
    if (match.captured(3) == u"-")
        offset = -offset;
    moment.instant = QDateTime(moment.date, moment.time, Qt::UTC).toSecsSinceEpoch() - offset;
    return moment;
}

// Heart rates kept as compactly as they can be, eight bytes each: an export
// holds a rate for every few minutes a watch was worn, most of a large file.
// Unsigned seconds since 1970 reach 2106; a rate from before 1970 cannot be
// in a phone's export and is dropped.
struct Rate {
    quint32 instant = 0;
    quint16 value = 0; // whole beats a minute, as the pulse is logged
    bool operator<(const Rate& other) const { return instant < other.instant; }

    static std::optional<Rate> of(qint64 instant, double value)
    {
        if (instant < 0 || instant > std::numeric_limits<quint32>::max() || !(value >= 0)
            || value > std::numeric_limits<quint16>::max())
            return std::nullopt;
        return Rate { quint32(instant), quint16(std::lround(value)) };
    }
};
static_assert(sizeof(Rate) == 8);

struct PendingReading {
    SourceReading reading;
    qint64 instant = 0;
};

class Reader
{
public:
    explicit Reader(BoundedXmlDevice& device)
        : m_device(device)
        , m_xml(&device)
    { }

    SourceLog read()
    {
        while (!m_xml.atEnd()) {
            m_xml.readNext();
            if (m_xml.isStartElement()) {
                if (m_xml.name() == u"Record")
                    record();
                else if (m_xml.name() == u"Correlation")
                    correlation();
            }
        }
        if (m_xml.hasError()) {
            m_log.error
                = QStringLiteral("line %1: %2")
                      .arg(m_xml.lineNumber())
                      .arg(!m_device.failure().isEmpty() ? m_device.failure()
                              : m_xml.error() == QXmlStreamReader::PrematureEndOfDocumentError
                              ? QStringLiteral("the file ends early; export it again")
                              : m_xml.errorString());
            m_log.weighIns.clear();
            m_log.readings.clear();
            m_log.refused.clear();
            return m_log;
        }
        joinPulses();
        if (m_otherRecords > 0)
            m_log.skipped.append({ QStringLiteral("records of other kinds"), m_otherRecords });
        return m_log;
    }

private:
    int line() const { return int(m_xml.lineNumber()); }

    void refuse(const QString& reason) { m_log.refused.append({ line(), reason }); }

    std::optional<Moment> start()
    {
        const QString text = m_xml.attributes().value(QLatin1String("startDate")).toString();
        const std::optional<Moment> moment = momentOf(text);
        if (!moment)
            refuse(QStringLiteral("the startDate attribute holds %1, not a date such as "
                                  "2023-01-15 07:30:00 -0500")
                       .arg(SourceValues::quoted(text)));
        return moment;
    }

    std::optional<double> value()
    {
        const QString text = m_xml.attributes().value(QLatin1String("value")).toString();
        bool ok = false;
        const double read = text.toDouble(&ok);
        if (!ok) {
            refuse(QStringLiteral("the value attribute holds %1, not a number")
                       .arg(SourceValues::quoted(text)));
            return std::nullopt;
        }
        return read;
    }

    // A record outside a correlation; the systolic and diastolic records
    // the export also lists on their own are read through their correlation.
    void record()
    {
        const QStringView type = m_xml.attributes().value(QLatin1String("type"));
        if (type == BodyMass) {
            const std::optional<Moment> when = start();
            if (!when)
                return;
            const std::optional<double> weight = value();
            if (!weight)
                return;
            const QString unit = m_xml.attributes().value(QLatin1String("unit")).toString();
            const std::optional<SourceValues::Mass> mass = SourceValues::mass(*weight, unit);
            if (!mass) {
                refuse(QStringLiteral("the unit attribute holds %1, not a unit of weight")
                           .arg(SourceValues::quoted(unit)));
                return;
            }
            m_log.weighIns.append({ line(), when->date, when->time, mass->value, mass->unit });
        } else if (type == HeartRate) {
            const std::optional<Moment> when
                = momentOf(m_xml.attributes().value(QLatin1String("startDate")).toString());
            bool ok = false;
            const double rate = m_xml.attributes().value(QLatin1String("value")).toDouble(&ok);
            // A heart rate that cannot be read only leaves a reading without
            // its pulse; it is no reason to refuse anything.
            if (when && ok)
                if (const std::optional<Rate> kept = Rate::of(when->instant, rate))
                    m_rates.push_back(*kept);
        } else if (type != Systolic && type != Diastolic) {
            ++m_otherRecords;
        }
        m_xml.skipCurrentElement();
    }

    void correlation()
    {
        if (m_xml.attributes().value(QLatin1String("type")) != BloodPressure) {
            m_xml.skipCurrentElement();
            return;
        }
        const int startLine = line();
        const std::optional<Moment> when = start();
        std::optional<double> systolic;
        std::optional<double> diastolic;
        bool unreadable = false;
        while (m_xml.readNextStartElement()) {
            if (m_xml.name() == u"Record") {
                const QStringView type = m_xml.attributes().value(QLatin1String("type"));
                if (type == Systolic || type == Diastolic) {
                    const std::optional<double> read = value();
                    unreadable = unreadable || !read;
                    (type == Systolic ? systolic : diastolic) = read;
                }
            }
            m_xml.skipCurrentElement();
        }
        if (!when || unreadable || m_xml.hasError())
            return;
        if (!systolic || !diastolic) {
            m_log.refused.append({ startLine,
                QStringLiteral("the blood-pressure reading has no %1 value")
                    .arg(systolic ? QStringLiteral("diastolic") : QStringLiteral("systolic")) });
            return;
        }
        m_pending.push_back(
            { { startLine, when->date, when->time, *systolic, *diastolic, {} }, when->instant });
    }

    // The rate nearest in time to each reading, when one is near enough.
    void joinPulses()
    {
        std::sort(m_rates.begin(), m_rates.end());
        for (PendingReading& pending : m_pending) {
            const auto after = std::lower_bound(m_rates.begin(), m_rates.end(), pending.instant,
                [](const Rate& rate, qint64 instant) { return rate.instant < instant; });
            const Rate* nearest = nullptr;
            qint64 distance = AppleHealthXmlReader::PulseWindowSeconds + 1;
            if (after != m_rates.end() && qint64(after->instant) - pending.instant < distance) {
                nearest = &*after;
                distance = qint64(after->instant) - pending.instant;
            }
            if (after != m_rates.begin()) {
                const Rate& before = *(after - 1);
                if (pending.instant - qint64(before.instant) < distance)
                    nearest = &before;
            }
            if (nearest)
                pending.reading.pulse = nearest->value;
            m_log.readings.append(pending.reading);
        }
    }

    BoundedXmlDevice& m_device;
    QXmlStreamReader m_xml;
    SourceLog m_log;
    int m_otherRecords = 0;
    std::vector<Rate> m_rates;
    std::vector<PendingReading> m_pending;
};

} // namespace

SourceLog AppleHealthXmlReader::read(QIODevice& device, bool* bounded)
{
    BoundedXmlDevice limited(device);
    limited.open(QIODevice::ReadOnly);
    SourceLog log = Reader(limited).read();
    if (bounded)
        *bounded = !limited.failure().isEmpty();
    return log;
}
