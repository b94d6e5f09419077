#pragma once

#include <QString>

// An individual's name becomes a file name in the program folder (the name
// trimmed, then the tracker's extension), and the backup copies the same name
// under another extension. A name that is not safe as a file name is refused
// here, with the reason the user is shown, before any file is touched.
class IndividualName
{
public:
    // The limit of the name box.
    static constexpr int MaximumLength = 25;

    // Why a name typed for a new individual cannot be used, or the empty text
    // when it can. Checks the name alone; IndividualList::refusalForNewName
    // adds the checks against the individuals already kept.
    static QString refusal(const QString& name);

    // Why a stored name cannot be used to open or write its data file, or the
    // empty text. Lists written before the name rules existed may hold names
    // that are too long or carry odd characters; those stay usable. Only a
    // name that would reach outside the program folder is refused.
    static QString pathRefusal(const QString& name);

    // Whether the trimmed name is the base name of one of the program's own
    // files (a list, a settings or password file, a scratch file), in any
    // letter case: its data file or backup copy would land on that file.
    static bool isProgramFileName(const QString& name);

    // The data file of an individual: the trimmed name, unchanged otherwise,
    // followed by the extension (".Fil", ".Fpl").
    static QString dataFileName(const QString& name, const QString& extension);
};
