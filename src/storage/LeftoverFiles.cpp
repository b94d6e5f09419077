#include "LeftoverFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

const QList<LeftoverFiles::Pattern>& LeftoverFiles::patterns()
{
    static const QList<Pattern> list {
        { QStringLiteral("halvorn-probe-??????"),
            QStringLiteral("a probe of whether the folder takes new files") },
    };
    return list;
}

QList<LeftoverFiles::Leftover> LeftoverFiles::find(const QString& folder)
{
    QList<std::pair<QRegularExpression, QString>> matchers;
    for (const Pattern& pattern : patterns())
        matchers.append(
            { QRegularExpression(QRegularExpression::wildcardToRegularExpression(pattern.wildcard),
                  QRegularExpression::CaseInsensitiveOption),
                pattern.what });
    QList<Leftover> found;
    const QDir dir(folder);
    // Files only, links not followed: QDir::NoSymLinks leaves them out.
    for (const QString& name :
        dir.entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks, QDir::Name)) {
        const auto matcher = std::find_if(matchers.cbegin(), matchers.cend(),
            [&](const auto& candidate) { return candidate.first.match(name).hasMatch(); });
        if (matcher != matchers.cend())
            found.append({ name, matcher->second });
    }
    return found;
}

QStringList LeftoverFiles::removeAll(const QString& folder)
{
    QStringList notes;
    for (const Leftover& leftover : find(folder)) {
        const QString path = QDir(folder).filePath(leftover.name);
        if (QFile::remove(path))
            notes.append(QStringLiteral("%1, %2 left by a run that was cut short, was removed.")
                             .arg(QDir::toNativeSeparators(path), leftover.what));
        else
            notes.append(QStringLiteral("%1, %2 left by a run that was cut short, could not be "
                                        "removed.")
                             .arg(QDir::toNativeSeparators(path), leftover.what));
    }
    return notes;
}
