#pragma once

#include <QStringList>

// How a backup or restore run ended.
struct BackupOutcome {
    enum class State {
        // The go-ahead was not given, or the target was refused: nothing ran.
        Declined,
        // Every file of the set was copied and checked.
        Completed,
        // The user cancelled part-way.
        Cancelled,
        // The run ended with files not copied.
        Failed,
    };

    State state = State::Declined;
    // The files copied into place, named as in their new folder.
    QStringList copied;
    // The files not copied, each with the reason ("Ann.Fil: not found in
    // the program folder").
    QStringList notCopied;
    // A restore changed files of the program folder; the calling screen
    // reloads its list.
    bool programFolderChanged = false;
    // The backup made of the files a restore replaced, which undoes it.
    QString safetyBackup;

    bool completed() const { return state == State::Completed; }
};
