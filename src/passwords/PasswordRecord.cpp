#include "PasswordRecord.h"

#include "storage/Windows1252.h"

#include <QRandomGenerator>

namespace {

constexpr char blank = ' ';
const QString inUseMark = QStringLiteral("Full");

int shiftOf(PasswordRecord::Field field)
{
    switch (field) {
    case PasswordRecord::SignOn:
        return PasswordRecord::SignOnShift;
    case PasswordRecord::Password:
        return PasswordRecord::PasswordShift;
    case PasswordRecord::Comment:
        return PasswordRecord::CommentShift;
    case PasswordRecord::Status:
        break;
    }
    return 0;
}

// Bytes wrap modulo 256 in both directions, so every byte has a stored form.
QByteArray shifted(QByteArray bytes, int shift)
{
    for (char& byte : bytes)
        byte = char((static_cast<unsigned char>(byte) + shift) & 0xFF);
    return bytes;
}

QString scrambled(const QByteArray& plain, int shift)
{
    return Windows1252::decode(shifted(plain, shift));
}

QByteArray withoutTrailingBlanks(QByteArray bytes)
{
    qsizetype end = bytes.size();
    while (end > 0 && bytes[end - 1] == blank)
        --end;
    bytes.truncate(end);
    return bytes;
}

} // namespace

PasswordRecord::PasswordRecord()
    : m_structure({ { SignOnWidth }, { PasswordWidth }, { CommentWidth }, { StatusWidth } })
{ }

PasswordRecord PasswordRecord::ScrambleEntry(const QString& signOn, const QString& password,
    const QString& comment, QRandomGenerator& random)
{
    auto randomCharacters = [&random](int count) {
        QByteArray characters;
        for (int i = 0; i < count; ++i)
            characters.append(
                char(random.bounded(int(FirstRandomCharacter), int(LastRandomCharacter) + 1)));
        return characters;
    };
    const QByteArray prefix = randomCharacters(RandomPrefixLength);
    const QByteArray suffix = randomCharacters(RandomSuffixLength);

    PasswordRecord record;
    record.m_structure.setField(SignOn, scrambled(Windows1252::encode(signOn), SignOnShift));
    record.m_structure.setField(Password,
        scrambled(
            prefix + withoutTrailingBlanks(Windows1252::encode(password)) + suffix, PasswordShift));
    record.m_structure.setField(Comment, scrambled(Windows1252::encode(comment), CommentShift));
    record.m_structure.setField(Status, inUseMark);
    return record;
}

PasswordRecord PasswordRecord::BlankRecord()
{
    PasswordRecord record;
    for (const Field field : { SignOn, Password, Comment, Status })
        record.m_structure.setField(field, QString());
    return record;
}

QByteArray PasswordRecord::fieldBytes(Field field) const
{
    return Windows1252::encode(m_structure.field(field));
}

// Only trailing blanks are padding. The writer never puts a blank in front of
// a value, so a leading blank is a scrambled character and is kept; trailing
// zero bytes are kept too, since a character such as "ù" scrambles to zero.
QString PasswordRecord::UnscrambleField(Field field) const
{
    if (field == Status)
        return m_structure.field(Status);
    QByteArray stored = fieldBytes(field);
    if (stored.count('\0') == stored.size())
        return {};
    stored = withoutTrailingBlanks(stored);
    if (field == Password) {
        const qsizetype frame = RandomPrefixLength + RandomSuffixLength;
        if (stored.size() < frame)
            return {};
        stored = stored.sliced(RandomPrefixLength, stored.size() - frame);
    }
    return Windows1252::decode(shifted(stored, 256 - shiftOf(field)));
}

bool PasswordRecord::isInUse() const
{
    return isInUse(bytes());
}

bool PasswordRecord::isInUse(QByteArrayView stored)
{
    // A leading blank would leave fewer than four characters, so only the
    // mark itself at the start of the status counts; it is plain ASCII, the
    // same bytes in Windows-1252.
    constexpr qsizetype statusStart = Length - StatusWidth;
    return stored.size() >= statusStart + inUseMark.size()
        && stored.sliced(statusStart, inUseMark.size()) == QByteArrayView("Full");
}

QChar PasswordRecord::lostAtFieldEnd(Field field)
{
    const QByteArray plain(1, char((blank - shiftOf(field)) & 0xFF));
    return Windows1252::decode(plain).at(0);
}
