#pragma once

#include "passwords/KeeperText.h"
#include "passwords/PasswordEntry.h"

#include <QList>
#include <QObject>

class EntryBoxGroup;
class QGridLayout;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QWidget;
class SecretClipboard;
class StrengthLine;

// The four boxes that show and edit one entry (Text1(0) to Text1(3)) with
// their captions: each box's length limit and typing rules, the password
// shown in clear in a face that tells 1, l and I apart, and what counts as
// the user's change.
class PasswordEntryBoxes : public QObject
{
    Q_OBJECT

public:
    // normalColourBox is Text2, the colour the boxes return to.
    PasswordEntryBoxes(QWidget* panel, QLineEdit* normalColourBox, SecretClipboard& secretClipboard,
        QObject* parent);

    QLineEdit* nameBox() const { return m_nameBox; }
    QPlainTextEdit* commentBox() const { return m_commentBox; }
    QList<QWidget*> boxes() const;
    // The captions beside their boxes, for the panel's layout.
    QGridLayout* captionedBoxes() const { return m_captionedBoxes; }

    PasswordEntry shownEntry() const;
    // Filled by the program: not the user's change.
    void showEntry(const PasswordEntry& entry);
    bool anyBoxHoldsText() const;
    // Puts a password in the box as if the user had typed it.
    void fillPassword(const QString& password);
    // The limits of the boxes follow the keeper's form: a box counts UTF-16
    // units, so where any text is held it lets in twice the characters'
    // limit (a character outside the Basic Multilingual Plane takes two) and
    // Save counts the characters.
    void setTextForm(KeeperText::Form form);

signals:
    // The name or the comment changed, by the user or the program.
    void textChanged();
    // A key released in a box, or a change made with the mouse.
    void touched();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void commentChanged();
    void generatePassword();

    QLineEdit* m_nameBox; // Text1(0)
    QLineEdit* m_signOnBox; // Text1(1)
    QLineEdit* m_passwordBox; // Text1(2)
    QPlainTextEdit* m_commentBox; // Text1(3)
    QPushButton* m_generateButton;
    StrengthLine* m_strengthLine;
    SecretClipboard& m_secretClipboard;
    EntryBoxGroup* m_entryBoxes;
    QGridLayout* m_captionedBoxes;
    bool m_filling = false;
    int m_commentLimit;
};
