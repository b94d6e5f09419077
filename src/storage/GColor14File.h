#pragma once

#include "ProgramFolder.h"
#include "services/Outcome.h"

#include <QString>

// GColor14.Fil: the folder the picture browser showed when a picture was
// last entered, one line rewritten whole each time.
class GColor14File
{
public:
    explicit GColor14File(const ProgramFolder& folder);

    // Empty when the file is missing or holds nothing.
    QString lastPictureFolder() const;
    // Replaces the file; the previous one survives a failed write, and the
    // outcome says why. A path holding a double quote cannot be stored and
    // is refused.
    Outcome setLastPictureFolder(const QString& folderPath) const;

private:
    ProgramFolder m_folder;
};
