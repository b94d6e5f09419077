#pragma once

#include "storage/ProgramFolder.h"

class Clock;
class HelpService;
class MessageService;
class SystemDialogs;
struct ShellState;

// What every screen needs from its surroundings: the program folder where its
// files live, the services that talk to the user or the clock, the help, and
// the program-wide state. The references stay live for the whole run, so a
// screen always sees the family name, colours and backup codes as they are
// now, never a copy taken when it opened. The program passes the real ones;
// tests pass scripted ones.
struct ScreenServices {
    ProgramFolder folder;
    MessageService& messages;
    SystemDialogs& dialogs;
    Clock& clock;
    ShellState& state;
    HelpService& help;
};
