#pragma once

#include "services/Outcome.h"

#include "ImportedPasswords.h"
#include "KeeperText.h"
#include "PasswordEntry.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class PasswordFiles;

// Brings the entries of another password manager's export into the keeper.
//
// An entry's name is its web address when it has one (the keeper launches
// from the name) and its title otherwise; the title, when it is not the
// name, begins the comment, followed by the notes and then by a line for
// each field the keeper has no box for. An entry is skipped only when one
// with the same name, sign-on and password is already listed or stands
// earlier in the file: two accounts on one site are two entries. A field
// longer than the keeper's limit is cut only when the caller agrees; a
// password is never cut, since a shortened password would not work.
//
// All or nothing: when any entry is refused nothing is written, unless the
// caller chose to leave the refused entries out; the entries are added in
// one save of the keeper.
class PasswordImport
{
public:
    enum class Format { KeePassXc, Bitwarden, Browser };
    enum class Action { Add, Skip, Refuse };

    struct Choices {
        // Over-long fields are cut instead of refusing their entry.
        bool cut = false;
        // Entries in the export's recycle bin come in as well.
        bool includeDeleted = false;
        // The other entries are imported when some are refused.
        bool skipRefused = false;
        // The keeper's form, which decides the text it can hold.
        KeeperText::Form form = KeeperText::Form::Classic;
    };

    struct Planned {
        QString origin;
        PasswordEntry entry;
        Action action = Action::Add;
        // Why the entry is skipped or refused, or what was cut.
        QString reason;
        // The fields longer than the keeper's limits, described.
        QStringList overLong;
    };

    struct Plan {
        QList<Planned> entries;
        // Entries of kinds the keeper does not hold, named.
        QStringList skippedKinds;
        // Entries of the export's recycle bin, left out.
        qsizetype deletedLeftOut = 0;
        bool skipRefused = false;
        // Why the file cannot be imported at all, or empty.
        QString error;

        qsizetype count(Action action) const;
        bool hasOverLong() const;
        // Something to add, and nothing refused unless refused entries are
        // left out.
        bool canImport() const;
    };

    // "keepassxc", "bitwarden" or "browser".
    static std::optional<Format> formatNamed(const QString& word);
    static QString formatTitle(Format format);
    // The format the bytes look like; nothing when none fits.
    static std::optional<Format> detect(const QByteArray& bytes);
    static ImportedPasswords read(const QByteArray& bytes, Format format);

    // What importing read would do to a keeper holding listed.
    static Plan plan(
        const ImportedPasswords& read, const QList<PasswordEntry>& listed, const Choices& choices);

    // Adds the plan's entries in one save, telling how many in added.
    // Refused, with nothing written, when the plan cannot be imported or the
    // keeper has no room for them all.
    static Outcome apply(PasswordFiles& files, const Plan& plan, int* added = nullptr);
};
