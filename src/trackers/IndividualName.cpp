#include "IndividualName.h"

#include <QStringList>

namespace {

// Base names of the files the program keeps for itself. A data file or a
// backup copy named after an individual must never land on one of them, in
// any letter case and whatever the extension: "WeightTrker" would overwrite
// the weight list's backup copy WeightTrker.Wtp, "Secfile1" the password
// index.
const QStringList& programFileBaseNames()
{
    static const QStringList names {
        QStringLiteral("WeightTrker"),
        QStringLiteral("BPTrker"),
        QStringLiteral("Secfile1"),
        QStringLiteral("Secfile2"),
        QStringLiteral("GColor1"),
        QStringLiteral("GColor3"),
        QStringLiteral("GColor4"),
        QStringLiteral("GColor14"),
        QStringLiteral("GZORQ1"),
        QStringLiteral("ZORQNAME"),
        QStringLiteral("Temp"),
        QStringLiteral("Chartxxx"),
    };
    return names;
}

// Windows opens these as devices whatever the extension, so such a file can
// be neither written nor backed up there.
bool isDeviceName(const QString& name)
{
    static const QStringList devices { QStringLiteral("CON"), QStringLiteral("PRN"),
        QStringLiteral("AUX"), QStringLiteral("NUL") };
    if (devices.contains(name, Qt::CaseInsensitive))
        return true;
    if (name.size() == 4 && name.at(3) >= u'1' && name.at(3) <= u'9') {
        const QString stem = name.first(3);
        return stem.compare(u"COM", Qt::CaseInsensitive) == 0
            || stem.compare(u"LPT", Qt::CaseInsensitive) == 0;
    }
    return false;
}

bool hasControlCharacter(const QString& name)
{
    for (const QChar c : name) {
        if (c.category() == QChar::Other_Control)
            return true;
    }
    return false;
}

} // namespace

QString IndividualName::pathRefusal(const QString& name)
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty())
        return QStringLiteral("Please enter a name.");
    if (trimmed.contains(u'/') || trimmed.contains(u'\\'))
        return QStringLiteral("A name cannot contain \"/\" or \"\\\".");
    if (trimmed == u"." || trimmed == u"..")
        return QStringLiteral("A name cannot be \".\" or \"..\".");
    if (hasControlCharacter(trimmed))
        return QStringLiteral("A name cannot contain a tab, a line break or another control "
                              "character.");
    return {};
}

QString IndividualName::refusal(const QString& name)
{
    if (QString reason = pathRefusal(name); !reason.isEmpty())
        return reason;
    const QString trimmed = name.trimmed();
    // The list files store each name between double quotes; one inside would
    // cut the name short and shift every later name.
    if (trimmed.contains(u'"'))
        return QStringLiteral("A name cannot contain a double quote (\").");
    // Characters that Windows and removable backup disks do not allow in a
    // file name: the backup copy would fail even where the data file did not.
    for (const QChar c : { u':', u'*', u'?', u'<', u'>', u'|' }) {
        if (trimmed.contains(c))
            return QStringLiteral("A name cannot contain any of the characters : * ? < > |");
    }
    if (trimmed.size() > MaximumLength)
        return QStringLiteral("A name can have at most %1 characters.").arg(MaximumLength);
    if (isProgramFileName(trimmed) || isDeviceName(trimmed))
        return QStringLiteral("\"%1\" is the name of one of the program's own files; "
                              "please choose another name.")
            .arg(trimmed);
    return {};
}

bool IndividualName::isProgramFileName(const QString& name)
{
    return programFileBaseNames().contains(name.trimmed(), Qt::CaseInsensitive);
}

QString IndividualName::dataFileName(const QString& name, const QString& extension)
{
    return name.trimmed() + extension;
}
