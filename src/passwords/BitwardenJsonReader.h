#pragma once

#include "ImportedPasswords.h"

#include <QByteArray>

// Bitwarden's unencrypted JSON export: its "items", each in one of the
// "folders". A login brings its name, user name, password and first web
// address into the keeper's boxes and its notes; what has no box follows
// the notes, a line each: the one-time-password key ("TOTP: "), every
// further web address ("Also: "), each custom field, hidden ones included
// ("Field NAME: "), and the folder ("Folder: "). A secure note brings its
// name and notes. A card puts its number and security code in the sign-on
// and password boxes, an identity its user name in the sign-on box; the
// rest of them comes as lines. Kinds the keeper has nothing for (SSH keys,
// kinds newer than this reader) are named as skipped; an encrypted export
// cannot be read.
class BitwardenJsonReader
{
public:
    static ImportedPasswords read(const QByteArray& bytes);
};
