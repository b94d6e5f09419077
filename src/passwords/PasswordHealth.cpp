#include "PasswordHealth.h"

#include "IndexItem.h"
#include "PasswordFiles.h"
#include "PasswordStrength.h"
#include "WebAddress.h"

#include <QHash>

namespace {

QString weakReason(const PasswordStrength& strength)
{
    return QStringLiteral("weak password: %1, guessed offline in %2")
        .arg(strength.words(), strength.crackTime());
}

QString reusedReason(const QStringList& otherNames)
{
    return QStringLiteral("same password as %1").arg(otherNames.join(QStringLiteral(", ")));
}

// A name that looks like a web address but does not open as https: Launch
// would send the user to an unencrypted page, or to none at all.
bool isUnsafeAddress(const QString& name)
{
    if (!WebAddress::looksLikeWebAddress(name))
        return false;
    const std::optional<QUrl> address = WebAddress::fromEntryName(name);
    return !address || address->scheme() != QLatin1String("https");
}

} // namespace

QString PasswordHealth::notHttpsReason()
{
    return QStringLiteral("web address is not https");
}

QList<PasswordHealth::Finding> PasswordHealth::check(const QList<Listed>& entries)
{
    QHash<QString, QList<qsizetype>> byPassword;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const QString& password = entries[i].entry.password;
        if (!password.isEmpty())
            byPassword[password].append(i);
    }

    QList<Finding> findings;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const PasswordEntry& entry = entries[i].entry;
        QStringList reasons;
        if (!entry.password.isEmpty()) {
            if (const PasswordStrength strength = PasswordStrength::of(entry.password);
                strength.isWeak())
                reasons.append(weakReason(strength));
            QStringList others;
            for (qsizetype other : byPassword.value(entry.password)) {
                if (other != i)
                    others.append(entries[other].entry.name.trimmed());
            }
            if (!others.isEmpty())
                reasons.append(reusedReason(others));
        }
        if (isUnsafeAddress(entry.name))
            reasons.append(notHttpsReason());
        if (!reasons.isEmpty())
            findings.append({ entries[i].indexItem, entry.name.trimmed(), reasons });
    }
    return findings;
}

PasswordHealth::Report PasswordHealth::check(const PasswordFiles& files)
{
    Report report;
    QList<Listed> entries;
    for (const QString& item : files.LoadIndex()) {
        if (const std::optional<PasswordEntry> entry = files.loadEntry(item))
            entries.append({ item, *entry });
        else
            report.unreadable.append(IndexItem(item).name().trimmed());
    }
    report.findings = check(entries);
    return report;
}
