#include "storage/NumberText.h"

#include <charconv>
#include <cmath>
#include <string>

namespace {

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Length of the number at the start of text (from position start); 0 when
// there is none. The number's characters are copied into number in the form
// std::from_chars reads (no "+", no bare trailing point).
qsizetype scanNumber(const QString& text, qsizetype start, std::string& number)
{
    qsizetype i = start;
    const qsizetype size = text.size();
    if (i < size && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        if (text[i] == QLatin1Char('-'))
            number += '-';
        ++i;
    }
    qsizetype digits = 0;
    while (i < size && isDigit(text[i])) {
        number += text[i].toLatin1();
        ++i;
        ++digits;
    }
    if (i < size && text[i] == QLatin1Char('.')) {
        std::string fraction;
        qsizetype j = i + 1;
        while (j < size && isDigit(text[j])) {
            fraction += text[j].toLatin1();
            ++j;
        }
        if (digits > 0 || !fraction.empty()) {
            if (digits == 0)
                number += '0';
            if (!fraction.empty())
                number += '.' + fraction;
            digits += fraction.size();
            i = j;
        }
    }
    if (digits == 0)
        return 0;
    if (i < size && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        qsizetype j = i + 1;
        std::string exponent = "e";
        if (j < size && (text[j] == QLatin1Char('+') || text[j] == QLatin1Char('-')))
            exponent += text[j++].toLatin1();
        const qsizetype exponentStart = j;
        while (j < size && isDigit(text[j]))
            exponent += text[j++].toLatin1();
        if (j > exponentStart) {
            number += exponent;
            i = j;
        }
    }
    return i - start;
}

std::optional<double> readNumber(const std::string& number)
{
    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc() || end != number.data() + number.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

int significantDigits(const char* begin, const char* end)
{
    int count = 0;
    bool leading = true;
    for (const char* c = begin; c != end && *c != 'e'; ++c) {
        if (*c < '0' || *c > '9')
            continue;
        if (leading && *c == '0')
            continue;
        leading = false;
        ++count;
    }
    return count;
}

} // namespace

double NumberText::leadingNumber(const QString& text)
{
    qsizetype start = 0;
    while (start < text.size() && text[start].isSpace())
        ++start;
    std::string number;
    if (scanNumber(text, start, number) == 0)
        return 0;
    return readNumber(number).value_or(0);
}

std::optional<double> NumberText::toNumber(const QString& text)
{
    const QString trimmed = text.trimmed();
    std::string number;
    if (trimmed.isEmpty() || scanNumber(trimmed, 0, number) != trimmed.size())
        return std::nullopt;
    return readNumber(number);
}

std::optional<float> NumberText::toSingle(const QString& text)
{
    const std::optional<double> number = toNumber(text);
    if (!number)
        return std::nullopt;
    const float single = static_cast<float>(*number);
    if (!std::isfinite(single))
        return std::nullopt;
    return single;
}

QString NumberText::shortestText(float value)
{
    if (value == 0.0f || std::isnan(value))
        value = 0.0f;
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (significantDigits(buffer, result.ptr) > 7)
        result
            = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 7);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}
