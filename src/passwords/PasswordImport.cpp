#include "PasswordImport.h"

#include "BitwardenJsonReader.h"
#include "BrowserCsvReader.h"
#include "IndexItem.h"
#include "KeePassXcCsvReader.h"
#include "PasswordCsvTable.h"
#include "PasswordFiles.h"

#include <QHash>
#include <QLocale>
#include <QSet>

#include <algorithm>
#include <utility>

namespace {

using Action = PasswordImport::Action;

QString withUnixLineEnds(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

// Text cut to its first maximum characters, an emoji counting once as the
// keeper's limits count it.
void cutTo(QString& text, qsizetype maximum)
{
    text.truncate(KeeperText::unitsOf(text, maximum).first);
}

// Describes and, with cut, shortens a field longer than its limit.
void limit(QString& text, int maximum, const QString& label, bool cut, QStringList& overLong)
{
    const qsizetype length = KeeperText::length(text);
    if (length <= maximum)
        return;
    overLong.append(QStringLiteral("the %1 has %2 characters, more than %3")
                        .arg(label)
                        .arg(length)
                        .arg(maximum));
    if (cut)
        cutTo(text, maximum);
}

// One part of the comment, and what the preview calls it when it does not
// fit: "the notes", "TOTP", "Field PIN".
struct CommentPart {
    QString text;
    QString label;
};

QString labelOf(const QString& line)
{
    return line.section(QStringLiteral(": "), 0, 0);
}

// The comment made of parts, one line after another; when it is longer
// than the keeper takes, the over-long description names the parts that
// would be cut (wholly or in part), and with cut it is shortened.
QString joinedComment(const QList<CommentPart>& parts, bool cut, QStringList& overLong)
{
    QStringList lines;
    QStringList lost;
    qsizetype end = 0;
    for (const CommentPart& part : parts) {
        const qsizetype start = end + (lines.isEmpty() ? 0 : 1);
        lines.append(part.text);
        end = start + KeeperText::length(part.text);
        if (end > PasswordFiles::MaximumCommentLength)
            lost.append(start >= PasswordFiles::MaximumCommentLength
                    ? part.label
                    : QStringLiteral("part of ") + part.label);
    }
    QString comment = lines.join(u'\n');
    if (comment.size() > PasswordFiles::MaximumCommentLength) {
        overLong.append(
            QStringLiteral("the comment has %1 characters, more than %2; beyond them: %3")
                .arg(comment.size())
                .arg(PasswordFiles::MaximumCommentLength)
                .arg(lost.join(QStringLiteral(", "))));
        if (cut)
            comment.truncate(PasswordFiles::MaximumCommentLength);
    }
    return comment;
}

// A keeper without protection names the first character it cannot hold,
// box by box, and offers protection.
QString characterRefusal(const PasswordEntry& entry, KeeperText::Form form)
{
    if (form != KeeperText::Form::Classic)
        return {};
    const std::optional<KeeperText::Unheld> unheld = KeeperText::firstUnheld(entry, form);
    return unheld ? KeeperText::classicRefusal(unheld->box, unheld->character) : QString();
}

// Why the entry cannot come in as planned, or the empty text.
QString refusalOf(const PasswordImport::Planned& planned, const PasswordImport::Choices& choices)
{
    const PasswordEntry& entry = planned.entry;
    if (entry.name.isEmpty())
        return QStringLiteral("it has neither a web address nor a title");
    if (const qsizetype length = KeeperText::length(entry.password);
        length > PasswordFiles::MaximumPasswordLength)
        return QStringLiteral("the password has %1 characters, more than %2, and a shortened "
                              "password would not work")
            .arg(length)
            .arg(PasswordFiles::MaximumPasswordLength);
    // The keeper stores passwords without trailing blanks.
    if (entry.password.endsWith(u' '))
        return QStringLiteral("the password ends with a blank, which the keeper cannot keep");
    if (QString refusal = characterRefusal(entry, choices.form); !refusal.isEmpty())
        return refusal;
    if (!planned.overLong.isEmpty() && !choices.cut)
        return planned.overLong.join(QStringLiteral("; "));
    if (QString refusal = PasswordFiles::nameRefusal(
            entry.name, {}, PasswordFiles::SameName::Refused, choices.form);
        !refusal.isEmpty())
        return refusal;
    return PasswordFiles::fieldsRefusal(entry, choices.form);
}

PasswordImport::Planned planned(
    const ImportedPassword& imported, const PasswordImport::Choices& choices)
{
    PasswordImport::Planned planned;
    planned.origin = imported.origin;
    const QString title = imported.title.trimmed();
    const QString url = imported.url.trimmed();
    PasswordEntry& entry = planned.entry;
    entry.name = url.isEmpty() ? title : url;
    entry.signOn = imported.username;
    entry.password = imported.password;
    limit(entry.name, PasswordFiles::MaximumNameLength, QStringLiteral("name"), choices.cut,
        planned.overLong);
    limit(entry.signOn, PasswordFiles::MaximumSignOnLength, QStringLiteral("user name"),
        choices.cut, planned.overLong);
    // A title cut short as the name still comes whole in the comment.
    QList<CommentPart> parts;
    if (!title.isEmpty() && title != entry.name)
        parts.append({ title, QStringLiteral("the title") });
    if (const QString notes = withUnixLineEnds(imported.notes); !notes.isEmpty())
        parts.append({ notes, QStringLiteral("the notes") });
    for (const QString& line : imported.moreLines)
        parts.append({ withUnixLineEnds(line), labelOf(line) });
    entry.comment = joinedComment(parts, choices.cut, planned.overLong);

    const QString refusal = refusalOf(planned, choices);
    if (!refusal.isEmpty()) {
        planned.action = Action::Refuse;
        planned.reason = refusal;
    } else if (!planned.overLong.isEmpty()) {
        planned.reason = QStringLiteral("cut: ") + planned.overLong.join(QStringLiteral("; "));
    }
    return planned;
}

// Two entries are the same account only when all three agree.
QString accountKey(const PasswordEntry& entry)
{
    return QStringList { entry.name.trimmed(), entry.signOn, entry.password }.join(QChar(0));
}

} // namespace

qsizetype PasswordImport::Plan::count(Action action) const
{
    return std::count_if(entries.cbegin(), entries.cend(),
        [action](const Planned& planned) { return planned.action == action; });
}

bool PasswordImport::Plan::hasOverLong() const
{
    return std::any_of(entries.cbegin(), entries.cend(),
        [](const Planned& planned) { return !planned.overLong.isEmpty(); });
}

bool PasswordImport::Plan::canImport() const
{
    return error.isEmpty() && (count(Action::Refuse) == 0 || skipRefused) && count(Action::Add) > 0;
}

std::optional<PasswordImport::Format> PasswordImport::formatNamed(const QString& word)
{
    if (word == u"keepassxc")
        return Format::KeePassXc;
    if (word == u"bitwarden")
        return Format::Bitwarden;
    if (word == u"browser")
        return Format::Browser;
    return std::nullopt;
}

QString PasswordImport::formatTitle(Format format)
{
    switch (format) {
    case Format::KeePassXc:
        return QStringLiteral("KeePassXC CSV");
    case Format::Bitwarden:
        return QStringLiteral("Bitwarden JSON");
    case Format::Browser:
        return QStringLiteral("Browser CSV");
    }
    return {};
}

std::optional<PasswordImport::Format> PasswordImport::detect(const QByteArray& bytes)
{
    if (bytes.trimmed().startsWith('{'))
        return Format::Bitwarden;
    if (PasswordCsvTable::headerHas(bytes, { QStringLiteral("Group"), QStringLiteral("Title") }))
        return Format::KeePassXc;
    if (PasswordCsvTable::headerHas(bytes, BrowserCsvReader::Columns))
        return Format::Browser;
    return std::nullopt;
}

ImportedPasswords PasswordImport::read(const QByteArray& bytes, Format format)
{
    switch (format) {
    case Format::KeePassXc:
        return KeePassXcCsvReader::read(bytes);
    case Format::Bitwarden:
        return BitwardenJsonReader::read(bytes);
    case Format::Browser:
        return BrowserCsvReader::read(bytes);
    }
    return {};
}

PasswordImport::Plan PasswordImport::plan(
    const ImportedPasswords& read, const QList<PasswordEntry>& listed, const Choices& choices)
{
    Plan plan;
    plan.error = read.error;
    plan.skippedKinds = read.skipped;
    plan.skipRefused = choices.skipRefused;
    QSet<QString> inKeeper;
    for (const PasswordEntry& entry : listed)
        inKeeper.insert(accountKey(entry));
    QHash<QString, QString> earlier;
    for (const ImportedPassword& imported : read.entries) {
        if (imported.deleted && !choices.includeDeleted) {
            ++plan.deletedLeftOut;
            continue;
        }
        Planned entry = planned(imported, choices);
        if (entry.action != Action::Refuse) {
            const QString key = accountKey(entry.entry);
            const QString name = entry.entry.name.trimmed();
            if (inKeeper.contains(key)) {
                entry.action = Action::Skip;
                entry.reason = QStringLiteral("\"%1\" is already listed with this sign-on and "
                                              "password")
                                   .arg(name);
            } else if (const auto first = earlier.constFind(key); first != earlier.cend()) {
                entry.action = Action::Skip;
                entry.reason = QStringLiteral("\"%1\" with this sign-on and password stands "
                                              "earlier in the file (%2)")
                                   .arg(name, *first);
            } else {
                earlier.insert(key, entry.origin);
            }
        }
        plan.entries.append(entry);
    }
    return plan;
}

Outcome PasswordImport::apply(PasswordFiles& files, const Plan& plan, int* added)
{
    if (!plan.canImport())
        return Outcome::refused(QStringLiteral("Nothing was imported: the file holds entries "
                                               "that cannot be imported."));
    QList<PasswordEntry> adding;
    QList<const Planned*> sources;
    for (const Planned& entry : plan.entries) {
        if (entry.action == Action::Add) {
            adding.append(entry.entry);
            sources.append(&entry);
        }
    }
    const qsizetype listed = files.LoadIndex().size();
    if (listed + adding.size() > PasswordFiles::MaximumRecords)
        return Outcome::refused(
            QStringLiteral("Nothing was imported: the keeper holds %1 Password Files and has "
                           "room for %2 more, not %3.")
                .arg(QLocale(QLocale::English).toString(listed))
                .arg(QLocale(QLocale::English).toString(PasswordFiles::MaximumRecords - listed))
                .arg(QLocale(QLocale::English).toString(adding.size())));

    qsizetype refusedAt = -1;
    if (const Outcome result
        = files.AddEntries(adding, PasswordFiles::SameName::Allowed, &refusedAt);
        !result) {
        if (refusedAt < 0)
            return Outcome::failed(QStringLiteral("Nothing was imported: %1").arg(result.reason));
        return Outcome::refused(
            QStringLiteral("Nothing was imported: %1 (%2) could not be added: %3")
                .arg(sources[refusedAt]->entry.name.trimmed(), sources[refusedAt]->origin,
                    result.reason));
    }
    if (added)
        *added = int(adding.size());
    return Outcome::success();
}
