#include "passwords/PasswordRecord.h"

#include "storage/Windows1252.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace {

QChar characterOfByte(int byte)
{
    return Windows1252::decode(QByteArray(1, char(byte))).at(0);
}

PasswordRecord scramble(
    const QString& signOn, const QString& password, const QString& comment, quint32 seed = 1)
{
    QRandomGenerator random(seed);
    return PasswordRecord::ScrambleEntry(signOn, password, comment, random);
}

QByteArray shiftedBy(QByteArray bytes, int shift)
{
    for (char& byte : bytes)
        byte = char((static_cast<unsigned char>(byte) + shift) & 0xFF);
    return bytes;
}

bool isRandomCharacter(char stored)
{
    const int plain = static_cast<unsigned char>(stored) - PasswordRecord::PasswordShift;
    return plain >= '1' && plain <= 'z';
}

} // namespace

TEST(PasswordRecordTest, LayoutOfAStoredRecord)
{
    const QByteArray bytes = scramble("id", "pw", "note").bytes();

    ASSERT_EQ(bytes.size(), 335);
    EXPECT_EQ(bytes.first(60), shiftedBy("id", PasswordRecord::SignOnShift).leftJustified(60, ' '));

    const QByteArray password = bytes.sliced(60, 60);
    EXPECT_EQ(password.sliced(5, 2), shiftedBy("pw", PasswordRecord::PasswordShift));
    for (const qsizetype i : { 0, 1, 2, 3, 4, 7, 8 })
        EXPECT_TRUE(isRandomCharacter(password[i])) << "position " << i;
    EXPECT_EQ(password.sliced(9), QByteArray(51, ' '));

    EXPECT_EQ(bytes.sliced(120, 210),
        shiftedBy("note", PasswordRecord::CommentShift).leftJustified(210, ' '));
    EXPECT_EQ(bytes.sliced(330), QByteArray("Full "));
}

TEST(PasswordRecordTest, TheThreeShiftsDiffer)
{
    EXPECT_NE(PasswordRecord::SignOnShift, PasswordRecord::PasswordShift);
    EXPECT_NE(PasswordRecord::SignOnShift, PasswordRecord::CommentShift);
    EXPECT_NE(PasswordRecord::PasswordShift, PasswordRecord::CommentShift);
}

// Bytes near 255 wrap around to small values (one of them to zero) and must
// come back; so must the byte that scrambles to a blank, wherever it is not
// taken for padding.
TEST(PasswordRecordTest, EveryByteValueSurvivesInEveryField)
{
    for (int byte = 0; byte <= 255; ++byte) {
        const QChar c = characterOfByte(byte);
        const QString inside = QString(c) + "x" + c + "x";
        const QString atEnd = QString("x") + c;
        const PasswordRecord record = scramble(inside, inside, inside);
        EXPECT_EQ(record.UnscrambleField(PasswordRecord::SignOn), inside) << "byte " << byte;
        EXPECT_EQ(record.UnscrambleField(PasswordRecord::Password), inside) << "byte " << byte;
        EXPECT_EQ(record.UnscrambleField(PasswordRecord::Comment), inside) << "byte " << byte;

        const PasswordRecord ending = scramble(atEnd, atEnd, atEnd);
        if (c != PasswordRecord::lostAtFieldEnd(PasswordRecord::SignOn)) {
            EXPECT_EQ(ending.UnscrambleField(PasswordRecord::SignOn), atEnd) << "byte " << byte;
        }
        if (c != u' ') {
            EXPECT_EQ(ending.UnscrambleField(PasswordRecord::Password), atEnd) << "byte " << byte;
        }
        if (c != PasswordRecord::lostAtFieldEnd(PasswordRecord::Comment)) {
            EXPECT_EQ(ending.UnscrambleField(PasswordRecord::Comment), atEnd) << "byte " << byte;
        }
    }
}

TEST(PasswordRecordTest, OnlyAControlCharacterIsLostAtTheEndOfASignOnOrComment)
{
    for (const auto field : { PasswordRecord::SignOn, PasswordRecord::Comment }) {
        const QChar lost = PasswordRecord::lostAtFieldEnd(field);
        EXPECT_EQ(lost.category(), QChar::Other_Control);
        EXPECT_NE(lost, u'\t');
        EXPECT_NE(lost, u'\n');
        EXPECT_NE(lost, u'\r');
    }
}

TEST(PasswordRecordTest, CharactersThatScrambleToZeroSurviveAtTheEnd)
{
    const QChar signOnZero = characterOfByte(256 - PasswordRecord::SignOnShift);
    const QChar commentZero = characterOfByte(256 - PasswordRecord::CommentShift);
    const QString signOn = QString("ab") + signOnZero;
    const QString comment = QString("ab") + commentZero;

    const PasswordRecord record = scramble(signOn, "", comment);

    EXPECT_EQ(record.bytes()[2], '\0');
    EXPECT_EQ(record.bytes()[122], '\0');
    EXPECT_EQ(record.UnscrambleField(PasswordRecord::SignOn), signOn);
    EXPECT_EQ(record.UnscrambleField(PasswordRecord::Comment), comment);
}

struct BlankCase {
    const char* what;
    QString signOn;
    QString password;
    QString comment;
    QString expectedSignOn;
    QString expectedPassword;
    QString expectedComment;
};

TEST(PasswordRecordTest, BlanksAroundTheTypedTexts)
{
    const BlankCase cases[] = {
        { "trailing blanks of a password go, of the others stay", "id  ", "pw  ", "note ", "id  ",
            "pw", "note " },
        { "leading blanks stay everywhere", "  id", "  pw", " note", "  id", "  pw", " note" },
        { "blanks only", "   ", "   ", " ", "   ", "", " " },
        { "empty texts", "", "", "", "", "", "" },
    };
    for (const BlankCase& c : cases) {
        const PasswordRecord record = scramble(c.signOn, c.password, c.comment);
        EXPECT_EQ(record.UnscrambleField(PasswordRecord::SignOn), c.expectedSignOn) << c.what;
        EXPECT_EQ(record.UnscrambleField(PasswordRecord::Password), c.expectedPassword) << c.what;
        EXPECT_EQ(record.UnscrambleField(PasswordRecord::Comment), c.expectedComment) << c.what;
    }
}

TEST(PasswordRecordTest, EmptyTextsGiveBlankFieldsAndAnEmptyPasswordStillSevenRandomCharacters)
{
    const QByteArray bytes = scramble("", "", "").bytes();

    EXPECT_EQ(bytes.first(60), QByteArray(60, ' '));
    EXPECT_EQ(bytes.sliced(67, 53), QByteArray(53, ' '));
    for (qsizetype i = 60; i < 67; ++i)
        EXPECT_TRUE(isRandomCharacter(bytes[i])) << "position " << i;
    EXPECT_EQ(bytes.sliced(120, 210), QByteArray(210, ' '));
}

TEST(PasswordRecordTest, APasswordOf50CharactersFills57OfTheField)
{
    const QString password = QString(49, u'p') + "q";
    const PasswordRecord record = scramble("", password + "   ", "");

    const QByteArray field = record.bytes().sliced(60, 60);
    EXPECT_NE(field[56], ' ');
    EXPECT_EQ(field.sliced(57), QByteArray(3, ' '));
    EXPECT_EQ(record.UnscrambleField(PasswordRecord::Password), password);
}

TEST(PasswordRecordTest, TheSameEntryTwiceGivesDifferentPasswordFieldsThatReadTheSame)
{
    QRandomGenerator random(7);
    const PasswordRecord first = PasswordRecord::ScrambleEntry("id", "secret", "note", random);
    const PasswordRecord second = PasswordRecord::ScrambleEntry("id", "secret", "note", random);

    EXPECT_NE(first.bytes().sliced(60, 60), second.bytes().sliced(60, 60));
    EXPECT_EQ(first.bytes().first(60), second.bytes().first(60));
    EXPECT_EQ(first.bytes().sliced(120), second.bytes().sliced(120));
    EXPECT_EQ(second.UnscrambleField(PasswordRecord::Password), "secret");
}

TEST(PasswordRecordTest, ASeededGeneratorGivesTheSameRecord)
{
    EXPECT_EQ(scramble("id", "pw", "c", 42).bytes(), scramble("id", "pw", "c", 42).bytes());
}

TEST(PasswordRecordTest, BlankAndNeverWrittenRecordsAreFreeAndReadEmpty)
{
    const PasswordRecord blank = PasswordRecord::BlankRecord();
    const PasswordRecord neverWritten;

    EXPECT_EQ(blank.bytes(), QByteArray(335, ' '));
    EXPECT_EQ(neverWritten.bytes(), QByteArray(335, '\0'));
    for (const PasswordRecord* record : { &blank, &neverWritten }) {
        EXPECT_FALSE(record->isInUse());
        EXPECT_EQ(record->UnscrambleField(PasswordRecord::SignOn), "");
        EXPECT_EQ(record->UnscrambleField(PasswordRecord::Password), "");
        EXPECT_EQ(record->UnscrambleField(PasswordRecord::Comment), "");
    }
}

TEST(PasswordRecordTest, OnlyFullInTheFirstFourCharactersMarksARecordInUse)
{
    const struct {
        QByteArray status;
        bool inUse;
    } cases[] = {
        { "Full ", true },
        { "Fullx", true },
        { " Full", false },
        { "  Ful", false },
        { "full ", false },
        { "FULL ", false },
        { "     ", false },
        { QByteArray(5, '\0'), false },
    };
    for (const auto& c : cases) {
        PasswordRecord record;
        record.structure().decode(QByteArray(330, 'a') + c.status);
        EXPECT_EQ(record.isInUse(), c.inUse) << c.status.constData();
    }
}

// Finding a free record reads the mark from the stored bytes without
// decoding each record; both readings must agree on every record, whole or
// cut short at the end of the file.
TEST(PasswordRecordTest, TheStoredMarkReadsAsTheDecodedRecordDoes)
{
    const QByteArray before(PasswordRecord::Length - PasswordRecord::StatusWidth, 'a');
    for (const QByteArray& status :
        { QByteArray("Full "), QByteArray(" Full"), QByteArray("Ful"), QByteArray("Fu"),
            QByteArray(), QByteArray("full "), QByteArray("\x80ull "), QByteArray(5, '\0') }) {
        const QByteArray stored = before + status;
        PasswordRecord record;
        record.structure().decode(stored);
        EXPECT_EQ(PasswordRecord::isInUse(stored), record.isInUse()) << status.toHex().constData();
    }
    EXPECT_FALSE(PasswordRecord::isInUse(QByteArray()));
}
