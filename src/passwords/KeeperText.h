#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>
#include <utility>

struct PasswordEntry;

// What text a keeper can hold. A classic keeper's two files store every
// character as one Windows-1252 byte, so they hold only the characters of
// that code page; the vault of a protected keeper holds the same two files
// with their texts in UTF-8 (and its records wide enough for it), so any
// Unicode text. Both count the boxes' maximum lengths in characters, a
// character outside the Basic Multilingual Plane (an emoji) counting once.
namespace KeeperText {

enum class Form {
    // Secfile1.Fil and Secfile2.fil in the program folder: Windows-1252.
    Classic,
    // The files inside a vault of the current format: UTF-8.
    Unicode,
};

// The first character of text that form cannot hold; nothing when it holds
// them all. A lone surrogate (text no encoding can hold) is never held.
std::optional<char32_t> firstUnheld(QStringView text, Form form);
bool canHold(QStringView text, Form form);

// A character as messages name it: "Ж" (U+0416). A control character is
// named by its code alone.
QString nameOf(char32_t character);

// The number of characters as the maximum lengths count them.
qsizetype length(QStringView text);
// The UTF-16 units the first `characters` characters of text take, and how
// many characters that is (fewer when text is shorter).
std::pair<qsizetype, qsizetype> unitsOf(QStringView text, qsizetype characters);

// The first character of an entry's four boxes that form cannot hold, and
// the box's caption as the screen labels it ("Name", "Sign On ID",
// "Password", "Comment").
struct Unheld {
    QString box;
    char32_t character = 0;
};
std::optional<Unheld> firstUnheld(const PasswordEntry& entry, Form form);

// Why a classic keeper refuses text: the character named, and protection
// offered as the way to keep it. box is the caption of the box that holds it.
QString classicRefusal(const QString& box, char32_t character);

// The plain bytes of text in form, and back; bytes() is given only text that
// form holds.
QByteArray bytes(QStringView text, Form form);
QString text(QByteArrayView bytes, Form form);

} // namespace KeeperText
