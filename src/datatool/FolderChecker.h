#pragma once

#include "storage/ProgramFolder.h"

#include <QList>
#include <QString>

// Reads every list, data, password and settings file of a program folder
// and reports what is wrong, without changing any file: a listed name
// without its data file, a data file without a list entry, a file or record
// that cannot be read, a stored value the screens could not have written, a
// row count that disagrees with the rows stored, and index items that point
// at free records or share one.
class FolderChecker
{
public:
    struct Problem {
        QString file;
        QString message;
        QString text() const { return file + QStringLiteral(": ") + message; }
    };

    static QList<Problem> check(const ProgramFolder& folder);

    // The files the program keeps for itself. A data file of the weight
    // tracker shares their extension, so these are never taken for one.
    static const QStringList& programFileNames();

private:
    static void checkTracker(const ProgramFolder& folder, bool weight, QList<Problem>& problems);
    static void checkPasswords(const ProgramFolder& folder, QList<Problem>& problems);
    static void checkSettings(const ProgramFolder& folder, QList<Problem>& problems);
};
