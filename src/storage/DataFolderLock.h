#pragma once

#include "LockFileClaim.h"

#include <QString>

// Claims a data folder for one copy of the program, so that two copies never
// overwrite each other's saves. The claim is a lock file in the folder, held
// until this object is destroyed; a lock left behind by a copy that died is
// taken over.
class DataFolderLock
{
public:
    enum class Outcome { Acquired, InUse, Unusable };

    static inline const QString FileName = QStringLiteral("halvorn.lock");

    explicit DataFolderLock(QString folder);

    // Creates the folder when it does not exist, checks that files can be
    // written in it and takes the lock.
    Outcome acquire();

    QString folder() const { return m_folder; }
    // Why acquire() failed, as a sentence naming the folder.
    QString problem() const { return m_problem; }
    // A sentence for the user when acquire() took over an empty or damaged
    // lock file, or the empty text.
    QString note() const { return m_lock.note(); }

private:
    QString m_folder;
    LockFileClaim m_lock;
    QString m_problem;
};
