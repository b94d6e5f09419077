#pragma once

#include "ImportedPasswords.h"

#include <QByteArray>
#include <QStringList>

// The saved passwords a web browser exports as CSV, found by their column
// names in any order: Chrome's "name","url","username","password","note";
// Firefox's "url","username","password","httpRealm","formActionOrigin",
// "guid" and three times. Browsers that write no name give the site's host
// as the title. The note comes as the notes, and the realm of a login the
// site asked for in the browser's own dialog (HTTP authentication) as a
// line after them, since two logins of one site may differ only there. The
// form's address, the identifier and the times are the browser's
// bookkeeping and are not kept.
class BrowserCsvReader
{
public:
    static inline const QStringList Columns { QStringLiteral("url"), QStringLiteral("username"),
        QStringLiteral("password") };

    static ImportedPasswords read(const QByteArray& bytes);
};
