#include "LogValueRules.h"

#include "storage/NumberText.h"
#include "storage/StoredDate.h"

#include <QDate>
#include <QRegularExpression>

#include <cmath>

namespace {

QString quoted(const QString& text)
{
    return QStringLiteral("\"%1\"").arg(text);
}

} // namespace

QString LogValueRules::dateProblem(const QString& text, QString* storedText)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return QStringLiteral("the date is empty");
    const QDate date = StoredDate::parse(trimmed);
    if (!date.isValid())
        return QStringLiteral("%1 is not a date (write it as \"March 05, 2012\" or \"2012-03-05\")")
            .arg(quoted(trimmed));
    if (storedText)
        *storedText = StoredDate::longText(date);
    return {};
}

QString LogValueRules::weightProblem(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return QStringLiteral("the weight is empty");
    const std::optional<float> weight = NumberText::toSingle(trimmed);
    if (!weight)
        return QStringLiteral("the weight %1 is not a number (use \".\" as the decimal point)")
            .arg(quoted(trimmed));
    if (!(*weight > 0))
        return QStringLiteral("the weight %1 is not above 0").arg(quoted(trimmed));
    return {};
}

QString LogValueRules::timeProblem(const QString& text, QString* storedText)
{
    static const QRegularExpression pattern(
        QStringLiteral("^(\\d{1,2}):(\\d{2})\\s*([AaPp][Mm])$"));
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return QStringLiteral("the time is empty");
    const QRegularExpressionMatch match = pattern.match(trimmed);
    const int hour = match.hasMatch() ? match.captured(1).toInt() : 0;
    const int minute = match.hasMatch() ? match.captured(2).toInt() : 60;
    if (hour < 1 || hour > 12 || minute > 59)
        return QStringLiteral("the time %1 is not a time such as \"7:05 AM\"").arg(quoted(trimmed));
    if (storedText)
        *storedText = QStringLiteral("%1:%2 %3")
                          .arg(hour)
                          .arg(minute, 2, 10, QLatin1Char('0'))
                          .arg(match.captured(3).toUpper());
    return {};
}

QString LogValueRules::measurementProblem(
    Measurement measurement, const QString& text, QString* storedText)
{
    int minimum = MinimumPulse;
    int maximum = MaximumPulse;
    if (measurement == Measurement::Systolic) {
        minimum = MinimumSystolic;
        maximum = MaximumSystolic;
    } else if (measurement == Measurement::Diastolic) {
        minimum = MinimumDiastolic;
        maximum = MaximumDiastolic;
    }
    const QString trimmed = text.trimmed();
    const QString name = measurementName(measurement);
    if (trimmed.isEmpty())
        return QStringLiteral("the %1 is empty").arg(name);
    const std::optional<double> value = NumberText::toNumber(trimmed);
    if (!value || *value != std::floor(*value) || *value < minimum || *value > maximum)
        return QStringLiteral("the %1 %2 is not a whole number from %3 to %4")
            .arg(name, quoted(trimmed))
            .arg(minimum)
            .arg(maximum);
    if (storedText)
        *storedText = QString::number(int(*value));
    return {};
}

QString LogValueRules::measurementName(Measurement measurement)
{
    switch (measurement) {
    case Measurement::Systolic:
        return QStringLiteral("systolic pressure");
    case Measurement::Diastolic:
        return QStringLiteral("diastolic pressure");
    case Measurement::Pulse:
        break;
    }
    return QStringLiteral("pulse");
}

QString LogValueRules::importedDateProblem(const QDate& date, const QDate& today)
{
    const int latest = today.year() + 1;
    if (date.year() >= EarliestImportedYear && date.year() <= latest)
        return {};
    return QStringLiteral("the date %1 is not between %2 and %3")
        .arg(date.toString(Qt::ISODate))
        .arg(EarliestImportedYear)
        .arg(latest);
}
