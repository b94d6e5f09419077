#include "TaggedValue.h"

#include "Windows1252.h"

#include <QtEndian>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

// Reads a little-endian value at offset; bytes missing at the end read as zero.
template <typename T> T littleEndianAt(QByteArrayView bytes, qsizetype offset)
{
    char buffer[sizeof(T)] = {};
    for (qsizetype i = 0; i < qsizetype(sizeof(T)); ++i) {
        if (offset + i < bytes.size())
            buffer[i] = bytes[offset + i];
    }
    return qFromLittleEndian<T>(buffer);
}

template <typename T> void appendLittleEndian(QByteArray& bytes, T value)
{
    char buffer[sizeof(T)];
    qToLittleEndian<T>(value, buffer);
    bytes.append(buffer, sizeof(T));
}

} // namespace

TaggedValue TaggedValue::fromInt16(qint16 value)
{
    TaggedValue tagged;
    tagged.m_value = value;
    return tagged;
}

TaggedValue TaggedValue::fromInt32(qint32 value)
{
    TaggedValue tagged;
    tagged.m_value = value;
    return tagged;
}

TaggedValue TaggedValue::fromFloat32(float value)
{
    TaggedValue tagged;
    tagged.m_value = value;
    return tagged;
}

TaggedValue TaggedValue::fromText(const QString& value)
{
    TaggedValue tagged;
    tagged.m_value = value;
    return tagged;
}

TaggedValue::Type TaggedValue::type() const
{
    switch (m_value.index()) {
    case 1:
        return Type::Int16;
    case 2:
        return Type::Int32;
    case 3:
        return Type::Float32;
    case 4:
        return Type::Text;
    default:
        return Type::Unset;
    }
}

bool TaggedValue::isNumber() const
{
    const Type t = type();
    return t == Type::Int16 || t == Type::Int32 || t == Type::Float32;
}

QString TaggedValue::text() const
{
    if (const auto* value = std::get_if<QString>(&m_value))
        return *value;
    return {};
}

double TaggedValue::number() const
{
    if (const auto* value = std::get_if<qint16>(&m_value))
        return *value;
    if (const auto* value = std::get_if<qint32>(&m_value))
        return *value;
    if (const auto* value = std::get_if<float>(&m_value))
        return double(*value);
    return 0.0;
}

qint32 TaggedValue::toInt32() const
{
    if (const auto* value = std::get_if<qint16>(&m_value))
        return *value;
    if (const auto* value = std::get_if<qint32>(&m_value))
        return *value;
    if (const auto* value = std::get_if<float>(&m_value)) {
        // A stored float may be anything, NaN included; converting one out of
        // range would be undefined.
        const double d = double(*value);
        if (std::isnan(d))
            return 0;
        if (d <= double(std::numeric_limits<qint32>::min()))
            return std::numeric_limits<qint32>::min();
        if (d >= double(std::numeric_limits<qint32>::max()))
            return std::numeric_limits<qint32>::max();
        return qint32(std::nearbyint(d));
    }
    return 0;
}

QByteArray TaggedValue::encode() const
{
    QByteArray bytes;
    appendLittleEndian<quint16>(bytes, quint16(type()));
    if (const auto* shortNumber = std::get_if<qint16>(&m_value)) {
        appendLittleEndian<qint16>(bytes, *shortNumber);
    } else if (const auto* longNumber = std::get_if<qint32>(&m_value)) {
        appendLittleEndian<qint32>(bytes, *longNumber);
    } else if (const auto* single = std::get_if<float>(&m_value)) {
        appendLittleEndian<quint32>(bytes, std::bit_cast<quint32>(*single));
    } else if (const auto* string = std::get_if<QString>(&m_value)) {
        const QByteArray text = Windows1252::encode(*string);
        // The length field holds at most 32767; longer text never fits a
        // record anyway, and the encoded size tells the writer so.
        appendLittleEndian<qint16>(bytes, qint16(qMin<qsizetype>(text.size(), 0x7FFF)));
        bytes.append(text);
    }
    return bytes;
}

std::optional<TaggedValue> TaggedValue::decode(QByteArrayView bytes, int maxTextLength)
{
    switch (littleEndianAt<quint16>(bytes, 0)) {
    case quint16(Type::Unset):
        return TaggedValue();
    case quint16(Type::Int16):
        return fromInt16(littleEndianAt<qint16>(bytes, 2));
    case quint16(Type::Int32):
        return fromInt32(littleEndianAt<qint32>(bytes, 2));
    case quint16(Type::Float32):
        return fromFloat32(std::bit_cast<float>(littleEndianAt<quint32>(bytes, 2)));
    case quint16(Type::Text): {
        const qint16 length = littleEndianAt<qint16>(bytes, 2);
        if (length < 0 || length > maxTextLength)
            return std::nullopt;
        const qsizetype available = qMax<qsizetype>(0, bytes.size() - 4);
        return fromText(Windows1252::decode(bytes.sliced(qMin<qsizetype>(4, bytes.size()))
                                                .first(qMin<qsizetype>(length, available))));
    }
    default:
        return std::nullopt;
    }
}
