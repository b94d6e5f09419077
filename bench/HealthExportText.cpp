#include "HealthExportText.h"

#include <QDateTime>
#include <QTime>

namespace {

QByteArray stampOf(const QDateTime& when)
{
    return when.toString(u"yyyy-MM-dd HH:mm:ss").toLatin1() + " -0500";
}

QByteArray record(const char* type, const char* source, const char* unit, const QDateTime& when,
    const QByteArray& value)
{
    const QByteArray stamp = stampOf(when);
    return QByteArray(" <Record type=\"HKQuantityTypeIdentifier") + type + "\" sourceName=\""
        + source + "\" unit=\"" + unit + "\" creationDate=\"" + stamp + "\" startDate=\"" + stamp
        + "\" endDate=\"" + stamp + "\" value=\"" + value + "\"/>\n";
}

} // namespace

QByteArray HealthExportText::head()
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<HealthData locale=\"en_US\">\n";
}

QByteArray HealthExportText::day(const QDate& date)
{
    QByteArray text;
    const QDateTime midnight(date, QTime(0, 0));
    for (int minute = 0; minute < 24 * 60; minute += 10)
        text += record("HeartRate", "Watch", "count/min", midnight.addSecs(minute * 60),
            QByteArray::number(58 + minute % 40));
    for (int hour = 0; hour < 24; ++hour)
        text += record("StepCount", "Phone", "count", QDateTime(date, QTime(hour, 0)),
            QByteArray::number(100 + hour * 17));
    const QDateTime morning(date, QTime(7, 30));
    text += record("BodyMass", "Scale", "kg", morning.addSecs(-600), "80.4");
    for (const QDateTime& when : { morning, QDateTime(date, QTime(21, 5)) }) {
        const QByteArray stamp = stampOf(when);
        text += " <Correlation type=\"HKCorrelationTypeIdentifierBloodPressure\" "
                "sourceName=\"Cuff\" startDate=\""
            + stamp + "\" endDate=\"" + stamp + "\">\n "
            + record("BloodPressureSystolic", "Cuff", "mmHg", when, "124") + " "
            + record("BloodPressureDiastolic", "Cuff", "mmHg", when, "81") + " </Correlation>\n";
    }
    return text;
}

QByteArray HealthExportText::tail()
{
    return "</HealthData>\n";
}
