#pragma once

#include "BackupFixtures.h"
#include "FakeClock.h"
#include "FaultyFileOperations.h"
#include "FolderContents.h"
#include "RecordingRunView.h"
#include "ScriptedMessageService.h"
#include "TemporaryProgramFolder.h"

#include "backup/BackupEngine.h"
#include "backup/BackupTarget.h"
#include "datatool/ProgramBackupSets.h"

#include <QList>

// One run of the engine between a program folder and a backup folder, with
// scripted answers and file operations that fail or stop on demand.
struct EngineRun {
    TemporaryProgramFolder program;
    TemporaryProgramFolder backupFolder;
    ScriptedMessageService messages;
    FakeClock clock;
    RecordingRunView view;
    FaultyFileOperations files;
    BackupEngine engine { { program.folder(), messages, clock, view, files,
        ProgramBackupSets::all() } };

    explicit EngineRun(
        const BackupFixtures::Files& programFiles, const BackupFixtures::Files& backupFiles = {})
    {
        BackupFixtures::writeAll(program, programFiles);
        BackupFixtures::writeAll(backupFolder, backupFiles);
    }

    QString target() const { return BackupTarget::targetPath(backupFolder.path()); }
    BackupFixtures::Files live() const { return folderContents(program.path()); }
    BackupFixtures::Files backup() const { return folderContents(backupFolder.path()); }

    BackupOutcome run(BackupKind kind)
    {
        return ProgramBackupSets::all().isRestoreKind(kind)
            ? engine.restore(kind, target())
            : engine.backup(kind, target(), backupFolder.path());
    }
    BackupOutcome answerAndRun(BackupKind kind, const QList<MessageService::Answer>& answers)
    {
        for (MessageService::Answer answer : answers)
            messages.queueAnswer(answer);
        return run(kind);
    }
};
