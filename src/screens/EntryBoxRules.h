#pragma once

#include <QString>

class QLineEdit;
class QPlainTextEdit;

// The character rules of the trackers' entry boxes. A double quote cannot be
// stored in a line-record file, so no box keeps one; number boxes keep only
// digits and the separators people type in weights and counts.
//
// The rules look at the whole text, not just the character typed last, so
// that a character pasted or typed in the middle is removed as well.
namespace EntryBoxRules {

// Digits, ",", "." and "/"; a "+" only as the first character.
QString numberText(const QString& text);
QString withoutDoubleQuotes(const QString& text);
// A name kept in a list file: no double quote and no control character (a
// tab or line break pasted in).
QString nameText(const QString& text);

// Rewrites the box when its text breaks the rule, keeping the cursor where
// the user was typing.
void applyNumberRule(QLineEdit* box);
void applyNoDoubleQuoteRule(QLineEdit* box);
void applyNoDoubleQuoteRule(QPlainTextEdit* box);
void applyNameRule(QLineEdit* box);
// A multi-line box has no length limit of its own: what goes beyond
// maximumLength is taken off where the user was typing or pasting.
void applyLengthLimit(QPlainTextEdit* box, int maximumLength);

} // namespace EntryBoxRules
