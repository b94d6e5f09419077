#include "passwords/ui/StrengthLine.h"

#include "passwords/PasswordStrength.h"

StrengthLine::StrengthLine(QWidget* parent)
    : QLabel(parent)
{
    setObjectName(QStringLiteral("StrengthLine"));
    setTextFormat(Qt::PlainText);
    // The line follows the width of the boxes above it and never widens
    // the panel: a long estimate wraps.
    setWordWrap(true);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
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
