#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

#include <optional>
#include <variant>

// A self-describing stored value: a 2-byte type code, then its payload. The
// codes follow the OLE Automation variant numbering because existing settings
// files were written that way; they must never change.
class TaggedValue
{
public:
    enum class Type : quint16 {
        Unset = 0,
        Int16 = 2,
        Int32 = 3, // colour values
        Float32 = 4, // font sizes
        Text = 8,
    };

    TaggedValue() = default; // unset
    static TaggedValue fromInt16(qint16 value);
    static TaggedValue fromInt32(qint32 value);
    static TaggedValue fromFloat32(float value);
    static TaggedValue fromText(const QString& value);

    Type type() const;
    bool isUnset() const { return type() == Type::Unset; }
    bool isText() const { return type() == Type::Text; }
    bool isNumber() const;

    // The text of a text value; empty for every other kind.
    QString text() const;
    // A numeric value converted to double (floats exactly); 0 for text/unset.
    double number() const;
    qint32 toInt32() const;

    // Bytes as stored in a record: code then payload, little-endian.
    QByteArray encode() const;
    // The value stored at the start of bytes, or nothing when the code is not
    // one of ours or a text length runs past maxTextLength. Missing payload
    // bytes at the end of the file read as zero.
    static std::optional<TaggedValue> decode(QByteArrayView bytes, int maxTextLength);

    bool operator==(const TaggedValue& other) const = default;

private:
    std::variant<std::monostate, qint16, qint32, float, QString> m_value;
};
