#include "KeeperLeftovers.h"

#include "PasswordFiles.h"
#include "PasswordVault.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

QStringList KeeperLeftovers::find(const ProgramFolder& folder)
{
    // The suffix is the one QSaveFile's temporary file takes: a dot and six
    // letters or digits. Names are matched without regard to letter case,
    // as every name of the folder.
    static const QRegularExpression leftover(
        QStringLiteral("^(%1|%2|%3)\\.[A-Za-z0-9]{6}$")
            .arg(QRegularExpression::escape(PasswordFiles::IndexFileName),
                QRegularExpression::escape(PasswordFiles::EntriesFileName),
                QRegularExpression::escape(PasswordVault::FileName)),
        QRegularExpression::CaseInsensitiveOption);
    QStringList found;
    const QStringList names
        = QDir(folder.path()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString& name : names) {
        if (leftover.match(name).hasMatch())
            found.append(name);
    }
    return found;
}

QStringList KeeperLeftovers::remove(const ProgramFolder& folder)
{
    QStringList kept;
    for (const QString& name : find(folder)) {
        if (!QFile::remove(QDir(folder.path()).filePath(name)))
            kept.append(name);
    }
    return kept;
}
