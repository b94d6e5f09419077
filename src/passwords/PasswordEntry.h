#pragma once

#include <QString>

// One entry of the password keeper as the user sees it: the four boxes of the
// screen, in plain text. Only the name goes to the index; the other three are
// stored scrambled in the entry's record.
struct PasswordEntry {
    QString name;
    QString signOn;
    QString password;
    QString comment;

    bool operator==(const PasswordEntry&) const = default;
};
