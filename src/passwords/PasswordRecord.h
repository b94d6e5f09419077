#pragma once

#include "storage/RecordStructure.h"

#include <QByteArray>
#include <QString>

class QRandomGenerator;

// One record of Secfile2.fil: the sign-on id, the password and the comment of
// an entry, each scrambled, and the status mark that says whether the record
// is in use. The name is not here; it lives in the index.
//
// Scrambling adds a fixed shift to every Windows-1252 byte, modulo 256, so
// every byte value has a stored form and comes back on reading. The one limit:
// the character whose shifted byte is a blank cannot end a sign-on id or a
// comment, because trailing blanks are the field's padding (see
// lostAtFieldEnd). The password is framed by random characters that are never
// blanks, so any byte survives anywhere in it.
class PasswordRecord
{
public:
    enum Field { SignOn = 0, Password = 1, Comment = 2, Status = 3 };

    static constexpr int SignOnWidth = 60;
    static constexpr int PasswordWidth = 60;
    static constexpr int CommentWidth = 210;
    static constexpr int StatusWidth = 5;
    static constexpr int Length = SignOnWidth + PasswordWidth + CommentWidth + StatusWidth; // 335

    // Every stored entry depends on these values: a file written with one set
    // reads back as garbage with another, so they must never change. Each is
    // chosen so that the one character that scrambles to a blank is a control
    // character nobody types (U+0019, U+0013, U+0015), not a tab or a line
    // break.
    static constexpr int SignOnShift = 7;
    static constexpr int PasswordShift = 13;
    static constexpr int CommentShift = 11;

    // The random characters around the password: "1" to "z".
    static constexpr char FirstRandomCharacter = '1';
    static constexpr char LastRandomCharacter = 'z';
    static constexpr int RandomPrefixLength = 5;
    static constexpr int RandomSuffixLength = 2;

    // A record never written: all zero bytes, which counts as free.
    PasswordRecord();

    // The record of an entry in use: the three texts scrambled, status "Full".
    // The password loses its trailing blanks and is framed by seven random
    // characters drawn from random, so writing the same entry twice gives
    // different stored passwords.
    static PasswordRecord ScrambleEntry(const QString& signOn, const QString& password,
        const QString& comment, QRandomGenerator& random);

    // A deleted entry: all four fields blanks.
    static PasswordRecord BlankRecord();

    // The plain text of the sign-on, password or comment field. A field of
    // zero bytes only (a record never written) reads as the empty text.
    QString UnscrambleField(Field field) const;

    // The status's first four characters, leading blanks removed, are "Full".
    bool isInUse() const;
    // The same, read straight from a stored record's bytes (the missing
    // bytes of a short one count as zero), without decoding the record.
    static bool isInUse(QByteArrayView stored);

    // The character that would be lost at the end of a sign-on id or comment,
    // because its scrambled byte is the padding blank.
    static QChar lostAtFieldEnd(Field field);

    RecordStructure& structure() { return m_structure; }
    const RecordStructure& structure() const { return m_structure; }
    QByteArray bytes() const { return m_structure.encode(); }

private:
    QByteArray fieldBytes(Field field) const;

    RecordStructure m_structure;
};
