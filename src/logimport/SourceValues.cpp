#include "SourceValues.h"

#include <QRegularExpression>

std::optional<double> SourceValues::number(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^[+-]?\\d+([.,]\\d+)?$"));
    QString trimmed = text.trimmed();
    if (!pattern.match(trimmed).hasMatch())
        return std::nullopt;
    trimmed.replace(u',', u'.');
    bool ok = false;
    const double value = trimmed.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

std::optional<SourceValues::Mass> SourceValues::mass(double value, const QString& unit)
{
    using Unit = WeightPersonSettings::Unit;
    const QString name = unit.trimmed().toLower();
    if (name == u"kg")
        return Mass { value, Unit::Kilograms };
    if (name == u"g")
        return Mass { value / 1000, Unit::Kilograms };
    if (name == u"lb" || name == u"lbs")
        return Mass { value, Unit::Pounds };
    if (name == u"st")
        return Mass { value * 14, Unit::Pounds };
    return std::nullopt;
}

std::optional<SourceValues::Mass> SourceValues::massCell(
    const QString& text, const QString& defaultUnit)
{
    static const QRegularExpression pattern(
        QStringLiteral("^([+-]?\\d+(?:[.,]\\d+)?)\\s*([A-Za-z]*)$"));
    const QRegularExpressionMatch match = pattern.match(text.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    const std::optional<double> value = number(match.captured(1));
    if (!value)
        return std::nullopt;
    const QString unit = match.captured(2);
    return mass(*value, unit.isEmpty() ? defaultUnit : unit);
}

std::optional<SourceValues::LocalTime> SourceValues::localTime(
    const QString& text, const QStringList& dateForms, const QStringList& timeForms)
{
    const QString trimmed = text.trimmed();
    const qsizetype blank = trimmed.indexOf(u' ');
    if (blank < 0)
        return std::nullopt;
    const QString dateText = trimmed.left(blank);
    const QString timeText = trimmed.mid(blank + 1).trimmed();
    LocalTime read;
    for (const QString& form : dateForms) {
        read.date = QDate::fromString(dateText, form);
        if (read.date.isValid())
            break;
    }
    for (const QString& form : timeForms) {
        read.time = QTime::fromString(timeText, form);
        if (read.time.isValid())
            break;
    }
    if (!read.date.isValid() || !read.time.isValid())
        return std::nullopt;
    return read;
}

QStringList SourceValues::headerNames(const QStringList& header)
{
    QStringList names;
    for (const QString& cell : header)
        names.append(cell.trimmed().toLower());
    return names;
}

QString SourceValues::quoted(const QString& text)
{
    if (text.size() <= QuotedLength)
        return QStringLiteral("\"%1\"").arg(text);
    return QStringLiteral("\"%1...\"").arg(text.left(QuotedLength));
}

QTime SourceValues::timeOfDay(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.size() > 16)
        return {};
    for (const char* form :
        { "H:mm", "H:mm:ss", "H:mm:ss.zzz", "h:mm AP", "h:mm:ss AP", "h:mmAP", "h:mm:ssAP" }) {
        const QTime read = QTime::fromString(trimmed, QLatin1String(form));
        if (read.isValid())
            return read;
    }
    return {};
}
