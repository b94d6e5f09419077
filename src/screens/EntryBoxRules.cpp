#include "EntryBoxRules.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>

#include <algorithm>

namespace EntryBoxRules {

namespace {

    bool numberCharacter(QChar c, qsizetype position)
    {
        if (c.isDigit() && c.unicode() < 128)
            return true;
        if (c == QLatin1Char(',') || c == QLatin1Char('.') || c == QLatin1Char('/'))
            return true;
        return position == 0 && c == QLatin1Char('+');
    }

    void replaceText(QLineEdit* box, const QString& text)
    {
        const qsizetype removed = box->text().size() - text.size();
        const int cursor = std::max(0, box->cursorPosition() - int(removed));
        box->setText(text);
        box->setCursorPosition(std::min(cursor, int(text.size())));
    }

} // namespace

QString numberText(const QString& text)
{
    QString kept;
    for (QChar c : text) {
        if (numberCharacter(c, kept.size()))
            kept.append(c);
    }
    return kept;
}

QString withoutDoubleQuotes(const QString& text)
{
    QString kept = text;
    kept.remove(QLatin1Char('"'));
    return kept;
}

QString nameText(const QString& text)
{
    QString kept;
    for (QChar c : text) {
        if (c != QLatin1Char('"') && c.category() != QChar::Other_Control)
            kept.append(c);
    }
    return kept;
}

void applyNumberRule(QLineEdit* box)
{
    const QString kept = numberText(box->text());
    if (kept != box->text())
        replaceText(box, kept);
}

void applyNoDoubleQuoteRule(QLineEdit* box)
{
    const QString kept = withoutDoubleQuotes(box->text());
    if (kept != box->text())
        replaceText(box, kept);
}

void applyNameRule(QLineEdit* box)
{
    const QString kept = nameText(box->text());
    if (kept != box->text())
        replaceText(box, kept);
}

void applyLengthLimit(QPlainTextEdit* box, int maximumLength)
{
    const QString text = box->toPlainText();
    const qsizetype excess = text.size() - maximumLength;
    if (excess <= 0)
        return;
    const int position = box->textCursor().position();
    const qsizetype cut = std::max<qsizetype>(0, position - excess);
    box->setPlainText(text.left(cut) + text.mid(cut + excess));
    QTextCursor cursor = box->textCursor();
    cursor.setPosition(int(cut));
    box->setTextCursor(cursor);
}

void applyNoDoubleQuoteRule(QPlainTextEdit* box)
{
    const QString text = box->toPlainText();
    if (!text.contains(QLatin1Char('"')))
        return;
    const int position = box->textCursor().position();
    const int before = int(text.left(position).count(QLatin1Char('"')));
    box->setPlainText(withoutDoubleQuotes(text));
    QTextCursor cursor = box->textCursor();
    cursor.setPosition(std::max(0, position - before));
    box->setTextCursor(cursor);
}

} // namespace EntryBoxRules
