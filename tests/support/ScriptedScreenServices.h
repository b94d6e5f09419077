#pragma once

#include "FakeClock.h"
#include "RecordingHelp.h"
#include "ScriptedDialogs.h"
#include "ScriptedMessageService.h"
#include "ScriptedSessionLock.h"
#include "TemporaryProgramFolder.h"
#include "backup/ui/BackupScreen.h"

#include "screens/ScreenServices.h"
#include "screens/ShellState.h"

// What a screen gets from the program, all of it under the test's control:
// a temporary program folder, scripted messages and dialogs, a clock that
// stands still, the shell's state, a record of the help asked for and the
// desktop session's lock.
struct ScriptedScreenServices {
    TemporaryProgramFolder folder;
    ScriptedMessageService messages;
    ScriptedDialogs dialogs;
    FakeClock clock;
    ShellState state;
    RecordingHelp help;
    ScriptedSessionLock sessionLock;
    ScreenServices services { folder.folder(), messages, dialogs, clock, state, help,
        &BackupScreen::run, &sessionLock };
};
