#include "KeeperText.h"

#include "PasswordEntry.h"
#include "storage/Windows1252.h"

namespace {

bool classicHolds(char32_t character)
{
    if (QChar::requiresSurrogates(character))
        return false;
    const QChar single(static_cast<char16_t>(character));
    return Windows1252::decode(Windows1252::encode(QStringView(&single, 1))) == QString(single);
}

// The character that starts at position, and how many UTF-16 units it takes;
// a lone surrogate is a character of one unit of its own.
std::pair<char32_t, qsizetype> characterAt(QStringView text, qsizetype position)
{
    const QChar unit = text.at(position);
    if (unit.isHighSurrogate() && position + 1 < text.size()
        && text.at(position + 1).isLowSurrogate())
        return { QChar::surrogateToUcs4(unit, text.at(position + 1)), 2 };
    return { unit.unicode(), 1 };
}

} // namespace

std::optional<char32_t> KeeperText::firstUnheld(QStringView text, Form form)
{
    for (qsizetype position = 0; position < text.size();) {
        const auto [character, units] = characterAt(text, position);
        position += units;
        if (QChar::isSurrogate(character))
            return character;
        if (form == Form::Classic && !classicHolds(character))
            return character;
    }
    return std::nullopt;
}

bool KeeperText::canHold(QStringView text, Form form)
{
    return !firstUnheld(text, form).has_value();
}

QString KeeperText::nameOf(char32_t character)
{
    const QString code = QStringLiteral("U+%1").arg(uint(character), 4, 16, QChar(u'0')).toUpper();
    const QString shown = QString::fromUcs4(&character, 1);
    if (QChar::category(character) == QChar::Other_Control
        || QChar::category(character) == QChar::Other_Surrogate
        || QChar::category(character) == QChar::Other_Format)
        return code;
    return QStringLiteral("\"%1\" (%2)").arg(shown, code);
}

qsizetype KeeperText::length(QStringView text)
{
    return unitsOf(text, text.size()).second;
}

std::pair<qsizetype, qsizetype> KeeperText::unitsOf(QStringView text, qsizetype characters)
{
    qsizetype position = 0;
    qsizetype count = 0;
    while (position < text.size() && count < characters) {
        position += characterAt(text, position).second;
        ++count;
    }
    return { position, count };
}

std::optional<KeeperText::Unheld> KeeperText::firstUnheld(const PasswordEntry& entry, Form form)
{
    const std::pair<QString, const QString*> boxes[] = {
        { QStringLiteral("Name"), &entry.name },
        { QStringLiteral("Sign On ID"), &entry.signOn },
        { QStringLiteral("Password"), &entry.password },
        { QStringLiteral("Comment"), &entry.comment },
    };
    for (const auto& [box, text] : boxes) {
        if (const std::optional<char32_t> character = firstUnheld(*text, form))
            return Unheld { box, *character };
    }
    return std::nullopt;
}

QString KeeperText::classicRefusal(const QString& box, char32_t character)
{
    return QStringLiteral("The %1 contains characters that cannot be stored in an unprotected "
                          "Password Keeper: %2. To keep such text, protect the keeper with a "
                          "master password (Options, Protect with a Master Password...).")
        .arg(box, nameOf(character));
}

QByteArray KeeperText::bytes(QStringView text, Form form)
{
    return form == Form::Classic ? Windows1252::encode(text) : text.toUtf8();
}

QString KeeperText::text(QByteArrayView bytes, Form form)
{
    return form == Form::Classic ? Windows1252::decode(bytes) : QString::fromUtf8(bytes);
}
