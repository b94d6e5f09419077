#pragma once

#include "ImportedPasswords.h"

#include <QByteArray>
#include <QStringList>

// The saved passwords a web browser exports as CSV: "name","url",
// "username","password", in any order and with further columns, which are
// ignored. Browsers that write no name column give the site's host as the
// title.
class BrowserCsvReader
{
public:
    static inline const QStringList Columns { QStringLiteral("url"), QStringLiteral("username"),
        QStringLiteral("password") };

    static ImportedPasswords read(const QByteArray& bytes);
};
