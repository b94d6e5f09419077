#pragma once

#include "KeeperText.h"
#include "storage/RecordStructure.h"

#include <QByteArray>
#include <QString>

#include <optional>

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
//
// Inside a vault the record takes the Unicode form: the same fields and
// scrambling over the texts' UTF-8 bytes, each field four bytes wide per
// character its box allows, so that any text of the box's length fits.
class PasswordRecord
{
public:
    enum Field { SignOn = 0, Password = 1, Comment = 2, Status = 3 };

    static constexpr int SignOnWidth = 60;
    static constexpr int PasswordWidth = 60;
    static constexpr int CommentWidth = 210;
    static constexpr int StatusWidth = 5;
    static constexpr int Length = SignOnWidth + PasswordWidth + CommentWidth + StatusWidth; // 335

    // The widths of the Unicode form: a UTF-8 character takes at most four
    // bytes; the password's field also holds the seven framing characters.
    static constexpr int UnicodeSignOnWidth = 200;
    static constexpr int UnicodePasswordWidth = 210;
    static constexpr int UnicodeCommentWidth = 800;
    static constexpr int UnicodeLength
        = UnicodeSignOnWidth + UnicodePasswordWidth + UnicodeCommentWidth + StatusWidth; // 1215

    // The length of one record in form.
    static constexpr int lengthOf(KeeperText::Form form)
    {
        return form == KeeperText::Form::Classic ? Length : UnicodeLength;
    }

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
    explicit PasswordRecord(KeeperText::Form form = KeeperText::Form::Classic);

    // Record recordNumber of an entries file's bytes, as the keeper reads it:
    // a record of which not even two bytes are stored is empty, and the
    // missing bytes of a short one are zero.
    static PasswordRecord fromEntries(
        QByteArrayView entries, int recordNumber, KeeperText::Form form);

    // The record of an entry in use: the three texts scrambled, status "Full".
    // The password loses its trailing blanks and is framed by seven random
    // characters drawn from random, so writing the same entry twice gives
    // different stored passwords.
    static PasswordRecord ScrambleEntry(const QString& signOn, const QString& password,
        const QString& comment, QRandomGenerator& random,
        KeeperText::Form form = KeeperText::Form::Classic);

    // A deleted entry: all four fields blanks.
    static PasswordRecord BlankRecord(KeeperText::Form form = KeeperText::Form::Classic);

    // The plain text of the sign-on, password or comment field. A field of
    // zero bytes only (a record never written) reads as the empty text.
    QString UnscrambleField(Field field) const;

    // The status's first four characters, leading blanks removed, are "Full".
    bool isInUse() const;
    // The same, read straight from a stored record's bytes (the missing
    // bytes of a short one count as zero), without decoding the record.
    static bool isInUse(QByteArrayView stored, KeeperText::Form form = KeeperText::Form::Classic);

    // The character that would be lost at the end of a sign-on id or comment,
    // because its scrambled byte is the padding blank.
    static QChar lostAtFieldEnd(Field field);

    RecordStructure& structure() { return m_structure; }
    const RecordStructure& structure() const { return m_structure; }
    QByteArray bytes() const { return m_structure.encode(); }
    KeeperText::Form form() const { return m_form; }

    // The same record in the other form, each field's text unchanged (the
    // password's framing characters included); nothing when a text cannot
    // be held in form.
    std::optional<PasswordRecord> inForm(KeeperText::Form form) const;

private:
    QByteArray fieldBytes(Field field) const;
    // The field's stored bytes without their padding, unshifted.
    QByteArray plainBytes(Field field) const;
    void setPlainBytes(Field field, const QByteArray& plain);

    KeeperText::Form m_form;
    RecordStructure m_structure;
};
