#pragma once

#include "DataToolCommand.h"
#include "backup/BackupKind.h"

#include <QtGlobal>

// backup weight|bp|passwords DIR and restore weight|bp|passwords DIR
// [--yes]: one function's files copied into DIR under their backup names,
// or back from there, through the same engine as the Backup and Restore
// commands of its Utilities menu. A restore without --yes only lists.
class BackupCommand : public DataToolCommand
{
public:
    using DataToolCommand::DataToolCommand;

    int run(const DataToolOptions& options) override;

private:
    // lossOnly (--dry-run): what the restore would lose, not its files.
    int listRestorePlan(
        BackupKind kind, const QString& folder, const QString& targetPath, bool lossOnly);
};
