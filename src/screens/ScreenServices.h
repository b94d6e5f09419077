#pragma once

#include "storage/ProgramFolder.h"

class Clock;
class MessageService;
class SystemDialogs;

// What every screen needs from its surroundings: the program folder where its
// files live and the services that talk to the user or the clock. The
// program passes the real ones; tests pass scripted ones.
struct ScreenServices {
    ProgramFolder folder;
    MessageService& messages;
    SystemDialogs& dialogs;
    Clock& clock;
};
