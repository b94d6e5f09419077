#include "StoredColour.h"

namespace {

const QString DefaultWord = QStringLiteral("Default");

QString withoutTrailingBlanks(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == u' ')
        --end;
    return text.left(end);
}

} // namespace

StoredColour StoredColour::systemDefault()
{
    StoredColour colour;
    colour.m_kind = Kind::Default;
    colour.m_rawText = DefaultWord;
    return colour;
}

StoredColour StoredColour::fromValue(qint32 value)
{
    StoredColour colour;
    colour.m_kind = Kind::Colour;
    colour.m_value = value;
    colour.m_rawText = QString::number(value);
    return colour;
}

StoredColour StoredColour::fromRgb(int red, int green, int blue)
{
    return fromValue((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}

StoredColour StoredColour::parse(const QString& text)
{
    if (withoutTrailingBlanks(text) == DefaultWord) {
        StoredColour colour = systemDefault();
        colour.m_rawText = text;
        return colour;
    }
    bool ok = false;
    const qint32 value = text.trimmed().toInt(&ok, 10);
    StoredColour colour;
    if (ok) {
        colour.m_kind = Kind::Colour;
        colour.m_value = value;
    }
    colour.m_rawText = text;
    return colour;
}

qint32 StoredColour::resolve(qint32 swatch, qint32 fallback) const
{
    switch (m_kind) {
    case Kind::Default:
        return swatch;
    case Kind::Colour:
        return m_value;
    case Kind::NotAColour:
        break;
    }
    return fallback;
}

QString StoredColour::toText() const
{
    switch (m_kind) {
    case Kind::Default:
        return DefaultWord;
    case Kind::Colour:
        return QString::number(m_value);
    case Kind::NotAColour:
        break;
    }
    return m_rawText;
}

bool StoredColour::operator==(const StoredColour& other) const
{
    if (m_kind != other.m_kind)
        return false;
    if (m_kind == Kind::NotAColour)
        return m_rawText == other.m_rawText;
    return m_value == other.m_value;
}
