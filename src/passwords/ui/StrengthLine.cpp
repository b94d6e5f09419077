#include "passwords/ui/StrengthLine.h"

#include "passwords/PasswordStrength.h"

StrengthLine::StrengthLine(QWidget* parent)
    : QLabel(parent)
{
    setObjectName(QStringLiteral("StrengthLine"));
    setTextFormat(Qt::PlainText);
}

void StrengthLine::showStrengthOf(const QString& password)
{
    if (password.isEmpty()) {
        clear();
        return;
    }
    const PasswordStrength strength = PasswordStrength::of(password);
    setText(QStringLiteral("Strength: %1. An offline attack would take %2.")
                .arg(strength.words(), strength.crackTime()));
}
