#pragma once

#include "storage/ProgramFolder.h"

#include <QStringList>

// The temporary files a save of the keeper leaves when it is cut short. Each
// file is rewritten through a new version beside it; where the disk can make
// no unnamed temporary file, that version is named after the file with six
// random characters added ("Secfile2.fil.a1B2c3"). Those of the classic pair
// hold the passwords, merely scrambled, so none is left lying about: the
// holder of the folder's lock removes them at its start, and the folder
// check names them.
namespace KeeperLeftovers {

// The leftovers' file names in folder, sorted.
QStringList find(const ProgramFolder& folder);

// Removes them. Only for the holder of the folder's lock: another copy's
// save in progress would otherwise lose its new version. Gives the names
// that could not be removed.
QStringList remove(const ProgramFolder& folder);

} // namespace KeeperLeftovers
