#include "storage/StoredDate.h"

#include <QRegularExpression>
#include <QRegularExpressionMatch>

#include <array>

namespace {

// Fixed here rather than taken from the system locale: stored dates must read
// back the same on every desktop.
const std::array<QString, 12> monthNames = {
    QStringLiteral("January"),
    QStringLiteral("February"),
    QStringLiteral("March"),
    QStringLiteral("April"),
    QStringLiteral("May"),
    QStringLiteral("June"),
    QStringLiteral("July"),
    QStringLiteral("August"),
    QStringLiteral("September"),
    QStringLiteral("October"),
    QStringLiteral("November"),
    QStringLiteral("December"),
};

// 1 to 12, or 0 when name is neither a full nor a three-letter month name.
int monthOfName(const QString& name)
{
    for (int i = 0; i < 12; ++i) {
        if (name.compare(monthNames[i], Qt::CaseInsensitive) == 0
            || name.compare(monthNames[i].left(3), Qt::CaseInsensitive) == 0)
            return i + 1;
    }
    return 0;
}

int fullYear(const QString& digits)
{
    const int year = digits.toInt();
    if (digits.size() > 2)
        return year;
    return year < 30 ? 2000 + year : 1900 + year;
}

QString twoDigits(int number)
{
    return QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0'));
}

} // namespace

QString StoredDate::longText(const QDate& date)
{
    if (!date.isValid())
        return {};
    return QStringLiteral("%1 %2, %3")
        .arg(monthNames[date.month() - 1], twoDigits(date.day()))
        .arg(date.year(), 4, 10, QLatin1Char('0'));
}

QString StoredDate::shortText(const QDate& date)
{
    if (!date.isValid())
        return {};
    return monthNames[date.month() - 1].left(3) + QLatin1Char('-') + twoDigits(date.day())
        + QLatin1Char('-') + twoDigits(((date.year() % 100) + 100) % 100);
}

QDate StoredDate::parse(const QString& text)
{
    static const QRegularExpression named(
        QStringLiteral("^([A-Za-z]+)\\s+(\\d{1,2}),?\\s+(\\d{4})$"));
    static const QRegularExpression dashed(
        QStringLiteral("^([A-Za-z]{3})-(\\d{1,2})-(\\d{2}|\\d{4})$"));
    static const QRegularExpression slashed(QStringLiteral("^(\\d{1,2})/(\\d{1,2})/(\\d{4})$"));
    static const QRegularExpression iso(QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})$"));

    const QString simplified = text.simplified();
    if (QRegularExpressionMatch m = named.match(simplified); m.hasMatch()) {
        const int month = monthOfName(m.captured(1));
        return month ? QDate(m.captured(3).toInt(), month, m.captured(2).toInt()) : QDate();
    }
    if (QRegularExpressionMatch m = dashed.match(simplified); m.hasMatch()) {
        const int month = monthOfName(m.captured(1));
        return month ? QDate(fullYear(m.captured(3)), month, m.captured(2).toInt()) : QDate();
    }
    if (QRegularExpressionMatch m = slashed.match(simplified); m.hasMatch())
        return QDate(m.captured(3).toInt(), m.captured(1).toInt(), m.captured(2).toInt());
    if (QRegularExpressionMatch m = iso.match(simplified); m.hasMatch())
        return QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    return {};
}

QString StoredDate::toShortText(const QString& text)
{
    const QDate date = parse(text);
    return date.isValid() ? shortText(date) : text;
}
