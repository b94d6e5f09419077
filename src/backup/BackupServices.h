#pragma once

#include "BackupFileSets.h"
#include "storage/ProgramFolder.h"

class BackupFileOperations;
class BackupRunView;
class Clock;
class MessageService;

// What a backup or restore run talks through: the user, the clock, the
// screen and the file system, each an interface tests script.
struct BackupServices {
    ProgramFolder programFolder;
    MessageService& messages;
    Clock& clock;
    BackupRunView& view;
    BackupFileOperations& files;
    // The functions' sets, which the kinds asked for name.
    const BackupFileSets& sets;
};
