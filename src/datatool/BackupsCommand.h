#pragma once

#include "DataToolCommand.h"

// backups DIR: the dated folders in DIR, oldest first, with their state,
// and what each holds.
class BackupsCommand : public DataToolCommand
{
public:
    using DataToolCommand::DataToolCommand;

    int run(const DataToolOptions& options) override;
};
