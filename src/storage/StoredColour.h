#pragma once

#include <QString>
#include <QtGlobal>

// A panel colour as the settings files hold it: the text "Default" (the
// screen's own swatch colour) or the 32-bit colour value in decimal. The
// value keeps red in the low byte, then green, then blue; a system colour has
// the top bit set and so is stored with a leading minus sign. Anything else
// in the record (empty, letters) is kept as read, because the caller decides
// which fallback applies.
class StoredColour
{
public:
    enum class Kind { Default, Colour, NotAColour };

    // Dark cyan: what a tracker panel shows when its record holds no colour.
    static constexpr qint32 TrackerPanelFallback = 0x808000;

    StoredColour() = default; // not a colour: the empty record
    static StoredColour systemDefault();
    static StoredColour fromValue(qint32 value);
    static StoredColour fromRgb(int red, int green, int blue);
    // Reads a record's text: "Default" once trailing blanks are removed, or a
    // signed 32-bit decimal number; everything else is not a colour.
    static StoredColour parse(const QString& text);

    Kind kind() const { return m_kind; }
    bool isDefault() const { return m_kind == Kind::Default; }
    bool isColour() const { return m_kind == Kind::Colour; }
    bool isEmpty() const { return m_kind == Kind::NotAColour && m_rawText.isEmpty(); }

    // The colour value; 0 unless isColour().
    qint32 value() const { return m_value; }
    int red() const { return m_value & 0xFF; }
    int green() const { return (m_value >> 8) & 0xFF; }
    int blue() const { return (m_value >> 16) & 0xFF; }
    bool isSystemColour() const { return m_kind == Kind::Colour && m_value < 0; }

    // The colour to paint: the swatch for "Default", the value for a colour,
    // otherwise the fallback.
    qint32 resolve(qint32 swatch, qint32 fallback) const;

    // The text to store: "Default", the decimal value, or the text as read.
    QString toText() const;
    QString rawText() const { return m_rawText; }

    // Same meaning: trailing blanks after "Default" or around digits do not count.
    bool operator==(const StoredColour& other) const;

private:
    Kind m_kind = Kind::NotAColour;
    qint32 m_value = 0;
    QString m_rawText;
};
