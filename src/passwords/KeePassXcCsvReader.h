#pragma once

#include "ImportedPasswords.h"

#include <QByteArray>
#include <QStringList>

// KeePassXC's CSV export: "Group","Title","Username","Password","URL",
// "Notes", and in newer versions further columns, which are ignored. The
// group is not kept: the keeper has no groups.
class KeePassXcCsvReader
{
public:
    static inline const QStringList Columns { QStringLiteral("Title"), QStringLiteral("Username"),
        QStringLiteral("Password"), QStringLiteral("URL"), QStringLiteral("Notes") };

    static ImportedPasswords read(const QByteArray& bytes);
};
