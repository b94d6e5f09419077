#include "storage/DisplayFormat.h"

#include "storage/NumberText.h"

#include <cmath>

namespace DisplayFormat {

namespace {

    // Beyond this the digits are not worth placing one by one.
    constexpr double largestPlaced = 1e15;

    QString placeDigits(double value, int decimals)
    {
        const double scale = decimals == 1 ? 10.0 : 1.0;
        const long long scaled = std::llround(std::fabs(value) * scale);
        const long long whole = decimals == 1 ? scaled / 10 : scaled;
        const long long tenths = decimals == 1 ? scaled % 10 : 0;

        QString shown;
        if (value < 0 && scaled != 0)
            shown += QLatin1Char('-');
        if (whole != 0)
            shown += QString::number(whole);
        if (decimals == 1) {
            shown += QLatin1Char('.');
            if (tenths != 0)
                shown += QString::number(tenths);
        }
        return shown;
    }

} // namespace

QString apply(const QString& format, const QString& text)
{
    int decimals;
    if (format == QLatin1String("###.#"))
        decimals = 1;
    else if (format == QLatin1String("###"))
        decimals = 0;
    else
        return text;

    const std::optional<double> number = NumberText::toNumber(text);
    if (!number || !std::isfinite(*number))
        return text;
    const double value = *number;
    if (std::fabs(value) >= largestPlaced)
        return QString::number(value, 'f', decimals);
    return placeDigits(value, decimals);
}

} // namespace DisplayFormat
