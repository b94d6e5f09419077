#pragma once

#include "DataToolCommand.h"

// backup all [DIR] [--keep N]: everything into a new dated folder, keeping
// the newest complete ones.
class BackupAllCommand : public DataToolCommand
{
public:
    using DataToolCommand::DataToolCommand;

    int run(const DataToolOptions& options) override;
};
