#pragma once

#include "backup/BackupKind.h"
#include "storage/ProgramFolder.h"

class Clock;
class HelpService;
class MessageService;
class SessionLockSignal;
class SystemDialogs;
class QWidget;
struct ShellState;

// What every screen needs from its surroundings: the program folder where its
// files live, the services that talk to the user or the clock, the help, the
// backup utility and the program-wide state. The references stay live for the
// whole run, so a screen always sees the family name and colours as they are
// now, never a copy taken when it opened. The program passes the real ones;
// tests pass scripted ones.
struct ScreenServices {
    ProgramFolder folder;
    MessageService& messages;
    SystemDialogs& dialogs;
    Clock& clock;
    ShellState& state;
    HelpService& help;
    // Opens the backup utility modally over caller for a kind; true when a
    // restore changed files of the program folder. The screens that offer
    // backups reach it only through here.
    using BackupScreenOpener
        = bool (*)(const ScreenServices& services, BackupKind kind, QWidget* caller);
    BackupScreenOpener openBackupScreen = nullptr;
    // Where the desktop session's locking is heard; none in runs without a
    // desktop.
    SessionLockSignal* sessionLock = nullptr;
};
