#include "Windows1252.h"

#include <array>

namespace {

// Bytes 0x80 to 0x9F. Everything else is Latin-1 and maps to the character of
// the same number. The undefined bytes map to the C1 control of the same number
// so that no byte is lost on a read followed by a write.
constexpr std::array<char16_t, 32> highControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98-9F
};

char encodeUnit(char16_t unit)
{
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF))
        return char(unit);
    for (std::size_t i = 0; i < highControls.size(); ++i) {
        if (highControls[i] == unit)
            return char(0x80 + i);
    }
    return '?';
}

} // namespace

namespace Windows1252 {

QByteArray encode(QStringView text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        // A character outside the Basic Multilingual Plane is one character,
        // so it becomes one "?", not two.
        if (QChar::isHighSurrogate(unit) && i + 1 < text.size()
            && QChar::isLowSurrogate(text[i + 1].unicode())) {
            ++i;
            bytes.append('?');
            continue;
        }
        bytes.append(encodeUnit(unit));
    }
    return bytes;
}

QString decode(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        out[i] = (byte >= 0x80 && byte <= 0x9F) ? QChar(highControls[byte - 0x80]) : QChar(byte);
    }
    return text;
}

} // namespace Windows1252
