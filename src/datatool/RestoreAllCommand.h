#pragma once

#include "DataToolCommand.h"

// restore all DIR/DATED [--yes|--dry-run]: lists what restoring everything from a
// dated folder would replace, or restores it.
class RestoreAllCommand : public DataToolCommand
{
public:
    using DataToolCommand::DataToolCommand;

    int run(const DataToolOptions& options) override;
};
