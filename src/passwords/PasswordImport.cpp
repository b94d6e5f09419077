#include "PasswordImport.h"

#include "BitwardenJsonReader.h"
#include "BrowserCsvReader.h"
#include "IndexItem.h"
#include "KeePassXcCsvReader.h"
#include "PasswordCsvTable.h"
#include "PasswordFiles.h"

#include <QLocale>
#include <QSet>

#include <algorithm>
#include <tuple>

namespace {

using Action = PasswordImport::Action;

QString joinedComment(const QString& name, const QString& title, QString notes)
{
    notes.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    notes.replace(u'\r', u'\n');
    QStringList parts;
    if (!title.isEmpty() && title != name)
        parts.append(title);
    if (!notes.isEmpty())
        parts.append(notes);
    return parts.join(u'\n');
}

// Describes and, with cut, shortens a field longer than its limit.
void limit(QString& text, int maximum, const QString& label, bool cut, QStringList& overLong)
{
    if (text.size() <= maximum)
        return;
    overLong.append(QStringLiteral("the %1 has %2 characters, more than %3")
                        .arg(label)
                        .arg(text.size())
                        .arg(maximum));
    if (cut)
        text.truncate(maximum);
}

PasswordImport::Planned planned(const ImportedPassword& imported, bool cut)
{
    PasswordImport::Planned planned;
    planned.origin = imported.origin;
    const QString title = imported.title.trimmed();
    const QString url = imported.url.trimmed();
    PasswordEntry& entry = planned.entry;
    entry.name = url.isEmpty() ? title : url;
    entry.signOn = imported.username;
    entry.password = imported.password;
    limit(entry.name, PasswordFiles::MaximumNameLength, QStringLiteral("name"), cut,
        planned.overLong);
    // A title cut short as the name still comes whole in the comment.
    entry.comment = joinedComment(entry.name, title, imported.notes);
    limit(entry.signOn, PasswordFiles::MaximumSignOnLength, QStringLiteral("user name"), cut,
        planned.overLong);
    limit(entry.comment, PasswordFiles::MaximumCommentLength, QStringLiteral("comment"), cut,
        planned.overLong);

    QString refusal;
    if (entry.name.isEmpty())
        refusal = QStringLiteral("it has neither a web address nor a title");
    else if (entry.password.size() > PasswordFiles::MaximumPasswordLength)
        refusal = QStringLiteral("the password has %1 characters, more than %2, and a shortened "
                                 "password would not work")
                      .arg(entry.password.size())
                      .arg(PasswordFiles::MaximumPasswordLength);
    else if (entry.password.endsWith(u' '))
        // The keeper stores passwords without trailing blanks.
        refusal = QStringLiteral("the password ends with a blank, which the keeper cannot keep");
    else if (!planned.overLong.isEmpty() && !cut)
        refusal = planned.overLong.join(QStringLiteral("; "));
    else if (refusal = PasswordFiles::nameRefusal(entry.name, {}); refusal.isEmpty())
        refusal = PasswordFiles::fieldsRefusal(entry);

    if (!refusal.isEmpty()) {
        planned.action = Action::Refuse;
        planned.reason = refusal;
    } else if (!planned.overLong.isEmpty()) {
        planned.reason = QStringLiteral("cut: ") + planned.overLong.join(QStringLiteral("; "));
    }
    return planned;
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
    return error.isEmpty() && count(Action::Refuse) == 0 && count(Action::Add) > 0;
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
    const ImportedPasswords& read, const QStringList& listedItems, bool cut)
{
    Plan plan;
    plan.error = read.error;
    plan.skippedKinds = read.skipped;
    QSet<QString> namesInFile;
    for (const ImportedPassword& imported : read.entries) {
        Planned entry = planned(imported, cut);
        const QString name = entry.entry.name.trimmed();
        if (entry.action != Action::Refuse) {
            if (PasswordFiles::findByName(listedItems, name) >= 0) {
                entry.action = Action::Skip;
                entry.reason = QStringLiteral("\"%1\" is already listed").arg(name);
            } else if (namesInFile.contains(name)) {
                entry.action = Action::Skip;
                entry.reason = QStringLiteral("\"%1\" stands earlier in the file").arg(name);
            }
        }
        namesInFile.insert(name);
        plan.entries.append(entry);
    }
    return plan;
}

Outcome PasswordImport::apply(PasswordFiles& files, const Plan& plan, int* added)
{
    if (!plan.canImport())
        return Outcome::refused(QStringLiteral("Nothing was imported: the file holds entries "
                                               "that cannot be imported."));
    const qsizetype wanted = plan.count(Action::Add);
    const qsizetype listed = files.LoadIndex().size();
    if (listed + wanted > PasswordFiles::MaximumRecords)
        return Outcome::refused(
            QStringLiteral("Nothing was imported: the keeper holds %1 Password Files and has "
                           "room for %2 more, not %3.")
                .arg(QLocale(QLocale::English).toString(listed))
                .arg(QLocale(QLocale::English).toString(PasswordFiles::MaximumRecords - listed))
                .arg(QLocale(QLocale::English).toString(wanted)));

    QStringList addedItems;
    for (const Planned& entry : plan.entries) {
        if (entry.action != Action::Add)
            continue;
        int recordNumber = 0;
        const Outcome result
            = files.AddEntry(entry.entry, PasswordFiles::SameName::Refused, &recordNumber);
        if (!result) {
            // Newest first, so that each removal leaves the index as it was
            // before that entry came.
            std::for_each(addedItems.crbegin(), addedItems.crend(),
                [&files](const QString& item) { std::ignore = files.DeleteEntry(item); });
            return Outcome::refused(
                QStringLiteral("Nothing was imported: %1 (%2) could not be added: %3")
                    .arg(entry.entry.name.trimmed(), entry.origin, result.reason));
        }
        addedItems.append(IndexItem::build(entry.entry.name, recordNumber).text());
    }
    if (added)
        *added = int(addedItems.size());
    return Outcome::success();
}
