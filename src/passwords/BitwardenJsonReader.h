#pragma once

#include "ImportedPasswords.h"

#include <QByteArray>

// Bitwarden's unencrypted JSON export: its "items", of which logins bring a
// name, a user name, a password, their first web address and notes, and
// secure notes a name and notes. Cards and identities are not the keeper's
// and are named as skipped; an encrypted export cannot be read.
class BitwardenJsonReader
{
public:
    static ImportedPasswords read(const QByteArray& bytes);
};
