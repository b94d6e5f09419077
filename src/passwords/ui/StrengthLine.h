#pragma once

#include <QLabel>

// The line under a password that says how strong it is and how long an
// offline attack on it would take; empty while there is no password.
class StrengthLine : public QLabel
{
    Q_OBJECT

public:
    explicit StrengthLine(QWidget* parent = nullptr);

    void showStrengthOf(const QString& password);
};
