#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// What an export of another password manager holds for each entry, before
// it becomes one of the keeper's entries.
struct ImportedPassword {
    // Where the entry stands in the file, as a user finds it: "line 4",
    // "item 2".
    QString origin;
    QString title;
    QString url;
    QString username;
    QString password;
    QString notes;
    // What the keeper has no box for, one labelled line each ("TOTP: ...",
    // "Also: https://...", "Field PIN: ..."), kept after the notes.
    QStringList moreLines;
    // In the exporting program's recycle bin: deleted there, not yet gone.
    bool deleted = false;
};

// The entries read from one export; or the reason the file as a whole
// cannot be read. Entries of a kind the keeper does not hold are named in
// skipped, with the reason.
struct ImportedPasswords {
    QList<ImportedPassword> entries;
    QStringList skipped;
    QString error;
};
