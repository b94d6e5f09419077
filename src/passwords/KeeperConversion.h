#pragma once

#include "VaultContents.h"

#include <QStringList>

#include <optional>

// The keeper's two files taken between the classic form (Windows-1252, the
// files in the program folder and the contents of a vault of the first
// format) and the Unicode form a vault holds now. Every text stays the same
// text; the index's lines and each record's fields are re-encoded, and
// records never written or blanked stay so.
class KeeperConversion
{
public:
    // Any classic keeper converts. A trailing record cut short converts as
    // the keeper reads it: its missing bytes are zero.
    static VaultContents toUnicode(const VaultContents& classic);

    struct Classic {
        // Set when every text can be held in Windows-1252.
        std::optional<VaultContents> contents;
        // Otherwise the names of the entries that hold text it cannot, in
        // the index's order (a record no entry names is given as "record N").
        QStringList unheldEntries;
    };
    static Classic toClassic(const VaultContents& unicode);
};
