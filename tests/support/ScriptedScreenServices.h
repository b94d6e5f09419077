#pragma once

#include "FakeClock.h"
#include "RecordingHelp.h"
#include "ScriptedDialogs.h"
#include "ScriptedMessageService.h"
#include "TemporaryProgramFolder.h"
#include "backup/ui/BackupScreen.h"

#include "screens/ScreenServices.h"
#include "screens/ShellState.h"

// What a screen gets from the program, all of it under the test's control:
// a temporary program folder, scripted messages and dialogs, a clock that
// stands still, the shell's state and a record of the help asked for.
struct ScriptedScreenServices {
    TemporaryProgramFolder folder;
    ScriptedMessageService messages;
    ScriptedDialogs dialogs;
    FakeClock clock;
    ShellState state;
    RecordingHelp help;
    ScreenServices services { folder.folder(), messages, dialogs, clock, state, help,
        &BackupScreen::run };
};
