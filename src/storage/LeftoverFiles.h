#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Files that a write or a run of the program leaves in the program folder
// only when it is killed part-way (a temporary file, a probe). Each kind is
// a pattern here; the program's start and every halvorn-data command that
// locks the folder remove what matches, and the folder check names what is
// still there. A part of the program that writes such a file adds its
// pattern to patterns() and needs nothing else.
class LeftoverFiles
{
public:
    struct Pattern {
        // A wildcard ("halvorn-probe-??????"), matched in any letter case.
        QString wildcard;
        // What such a file is, for the user: "a probe of whether the folder
        // takes new files".
        QString what;
    };
    struct Leftover {
        QString name;
        QString what;
    };

    static const QList<Pattern>& patterns();

    // The regular files of folder that match a pattern; links and folders
    // are never taken for leftovers.
    static QList<Leftover> find(const QString& folder);

    // Removes every leftover of folder, which the caller holds locked.
    // Returns a sentence for each one removed, or that could not be.
    static QStringList removeAll(const QString& folder);
};
