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

// The record structure keeps each stored byte as the Windows-1252 character
// of that byte, whatever the form: the bytes are what is stored.
QString scrambled(const QByteArray& plain, int shift)
{
    return Windows1252::decode(shifted(plain, shift));
}

RecordStructure structureOf(KeeperText::Form form)
{
    if (form == KeeperText::Form::Classic)
        return RecordStructure({ { PasswordRecord::SignOnWidth }, { PasswordRecord::PasswordWidth },
            { PasswordRecord::CommentWidth }, { PasswordRecord::StatusWidth } });
    return RecordStructure(
        { { PasswordRecord::UnicodeSignOnWidth }, { PasswordRecord::UnicodePasswordWidth },
            { PasswordRecord::UnicodeCommentWidth }, { PasswordRecord::StatusWidth } });
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

PasswordRecord::PasswordRecord(KeeperText::Form form)
    : m_form(form)
    , m_structure(structureOf(form))
{ }

PasswordRecord PasswordRecord::fromEntries(
    QByteArrayView entries, int recordNumber, KeeperText::Form form)
{
    PasswordRecord record(form);
    if (recordNumber < 1)
        return record;
    const qint64 length = lengthOf(form);
    const qint64 start = qint64(recordNumber - 1) * length;
    if (start + 2 <= entries.size())
        record.m_structure.decode(
            entries.sliced(start).first(qMin(length, entries.size() - start)));
    return record;
}

PasswordRecord PasswordRecord::ScrambleEntry(const QString& signOn, const QString& password,
    const QString& comment, QRandomGenerator& random, KeeperText::Form form)
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

    PasswordRecord record(form);
    record.m_structure.setField(SignOn, scrambled(KeeperText::bytes(signOn, form), SignOnShift));
    record.m_structure.setField(Password,
        scrambled(prefix + withoutTrailingBlanks(KeeperText::bytes(password, form)) + suffix,
            PasswordShift));
    record.m_structure.setField(Comment, scrambled(KeeperText::bytes(comment, form), CommentShift));
    record.m_structure.setField(Status, inUseMark);
    return record;
}

PasswordRecord PasswordRecord::BlankRecord(KeeperText::Form form)
{
    PasswordRecord record(form);
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
    return KeeperText::text(shifted(stored, 256 - shiftOf(field)), m_form);
}

QByteArray PasswordRecord::plainBytes(Field field) const
{
    return shifted(withoutTrailingBlanks(fieldBytes(field)), 256 - shiftOf(field));
}

void PasswordRecord::setPlainBytes(Field field, const QByteArray& plain)
{
    m_structure.setField(field, scrambled(plain, shiftOf(field)));
}

// Byte for byte: a field's padding blanks stay padding, a field of zero bytes
// (never written) stays so, and everything before the padding, the
// password's framing characters and any odd byte included, becomes the same
// characters in the other form. Taken there and back, a record comes back as
// the bytes it was, so a classic file can be recognised in a vault's copy.
std::optional<PasswordRecord> PasswordRecord::inForm(KeeperText::Form form) const
{
    PasswordRecord other(form);
    if (form == m_form) {
        other.m_structure.decode(bytes());
        return other;
    }
    const bool classic = form == KeeperText::Form::Classic;
    const int widths[] = { classic ? SignOnWidth : UnicodeSignOnWidth,
        classic ? PasswordWidth : UnicodePasswordWidth,
        classic ? CommentWidth : UnicodeCommentWidth };
    for (const Field field : { SignOn, Password, Comment }) {
        const QByteArray stored = fieldBytes(field);
        if (stored.count('\0') == stored.size()) {
            other.m_structure.setField(field, QString(widths[field], QChar(u'\0')));
            continue;
        }
        const QString text = KeeperText::text(plainBytes(field), m_form);
        if (!KeeperText::canHold(text, form))
            return std::nullopt;
        const QByteArray plain = KeeperText::bytes(text, form);
        if (plain.size() > widths[field])
            return std::nullopt;
        other.setPlainBytes(field, plain);
    }
    other.m_structure.setField(Status, m_structure.field(Status));
    return other;
}

bool PasswordRecord::isInUse() const
{
    return isInUse(bytes(), m_form);
}

bool PasswordRecord::isInUse(QByteArrayView stored, KeeperText::Form form)
{
    // A leading blank would leave fewer than four characters, so only the
    // mark itself at the start of the status counts; it is plain ASCII, the
    // same bytes in Windows-1252.
    const qsizetype statusStart = lengthOf(form) - StatusWidth;
    return stored.size() >= statusStart + inUseMark.size()
        && stored.sliced(statusStart, inUseMark.size()) == QByteArrayView("Full");
}

QChar PasswordRecord::lostAtFieldEnd(Field field)
{
    const QByteArray plain(1, char((blank - shiftOf(field)) & 0xFF));
    return Windows1252::decode(plain).at(0);
}
