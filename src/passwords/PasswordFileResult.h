#pragma once

#include <QString>

#include <utility>

// The outcome of a change to the password files, for the screen to report:
// either done (with the record that was written), or refused or failed with a
// reason the user can read.
struct PasswordFileResult {
    bool ok = false;
    int recordNumber = 0;
    QString reason;

    static PasswordFileResult done(int recordNumber) { return { true, recordNumber, {} }; }
    static PasswordFileResult refused(QString reason) { return { false, 0, std::move(reason) }; }
};
