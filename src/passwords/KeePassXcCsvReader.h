#pragma once

#include "ImportedPasswords.h"

#include <QByteArray>
#include <QStringList>

// KeePassXC's CSV export: "Group","Title","Username","Password","URL",
// "Notes", and since 2.6 "TOTP","Icon","Last Modified","Created". The
// one-time-password settings and the group an entry sits in (below the
// database's top group) come as lines after the notes: the keeper has
// neither a box nor groups for them. The icon and the two times are
// KeePassXC's own bookkeeping and are not kept.
//
// An entry whose group path runs through the Recycle Bin group just below
// the top group was deleted in KeePassXC and is marked so. The export does
// not say which group is the database's recycle bin; KeePassXC names it
// "Recycle Bin" when it makes it.
class KeePassXcCsvReader
{
public:
    static inline const QStringList Columns { QStringLiteral("Title"), QStringLiteral("Username"),
        QStringLiteral("Password"), QStringLiteral("URL"), QStringLiteral("Notes") };
    static inline const QString RecycleBinGroup = QStringLiteral("Recycle Bin");

    static ImportedPasswords read(const QByteArray& bytes);
};
