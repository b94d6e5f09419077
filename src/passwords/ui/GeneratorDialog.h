#pragma once

#include "passwords/PasswordGenerator.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QSpinBox;
class SecretClipboard;
class StrengthLine;

// Generate: draws a password to the user's choice of length and character
// classes, shows it with its strength, and hands it over on Use Password.
class GeneratorDialog : public QDialog
{
    Q_OBJECT

public:
    GeneratorDialog(SecretClipboard& secretClipboard, QWidget* parent = nullptr);

    PasswordGenerator::Options options() const;
    QString password() const;

    // Draws a new password with the options shown.
    void generate();

private:
    // The last class left on cannot be switched off.
    void keepOneClass();

    QSpinBox* m_length;
    QCheckBox* m_letters;
    QCheckBox* m_digits;
    QCheckBox* m_symbols;
    QCheckBox* m_leaveOutLookAlikes;
    QLineEdit* m_password;
    StrengthLine* m_strength;
};
