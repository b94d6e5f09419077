#pragma once

#include <QString>
#include <QtGlobal>

// A background as the settings files hold it: one of the 16 background
// pictures ("WP" and its number, the file being that name with ".jpg"), the
// screen's default colour, or a 32-bit colour (red in the low byte). The
// screen background and the two grid backgrounds share it; each file class
// knows how its record spells these.
class BackgroundSetting
{
public:
    enum class Kind { Default, Picture, Colour, NotSet };

    static constexpr int PictureCount = 16;
    // Pure blue: the main screen's background before anything was chosen.
    static constexpr qint32 InitialScreenColour = 16711680;

    BackgroundSetting() = default; // nothing usable stored
    static BackgroundSetting systemDefault();
    // "WP" and the number; number is 1 to 16.
    static BackgroundSetting picture(int number);
    static BackgroundSetting colour(qint32 value);
    // Reads a record's text (trailing blanks removed): a picture name when it
    // starts with "WP" in any letter case, "Default", or a signed decimal
    // colour. Anything else, the empty text included, is NotSet.
    static BackgroundSetting parse(const QString& text);

    Kind kind() const { return m_kind; }
    bool isDefault() const { return m_kind == Kind::Default; }
    bool isPicture() const { return m_kind == Kind::Picture; }
    bool isColour() const { return m_kind == Kind::Colour; }
    bool isNotSet() const { return m_kind == Kind::NotSet; }

    // The picture's name as stored, e.g. "WP7"; empty unless isPicture().
    QString pictureName() const { return isPicture() ? m_text : QString(); }
    // The picture's number 1 to 16, or 0 when the name holds none.
    int pictureNumber() const;
    // The file to load from the program folder, e.g. "WP7.jpg" (also for
    // "wp7"); empty unless the name holds a number from 1 to 16.
    QString pictureFileName() const;
    // The colour value; 0 unless isColour().
    qint32 colourValue() const { return m_value; }

    // The record text of a text-stored background: the picture name,
    // "Default", the decimal colour, or the text as read.
    QString toText() const;
    QString rawText() const { return m_text; }

    bool operator==(const BackgroundSetting& other) const = default;

private:
    Kind m_kind = Kind::NotSet;
    qint32 m_value = 0;
    QString m_text;
};
