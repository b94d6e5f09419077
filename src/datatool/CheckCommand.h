#pragma once

#include "DataToolCommand.h"
#include "storage/ProgramFolder.h"

// check: what is wrong with the folder's files, the damage first, then the
// notes. check passwords --health: the weak, reused and unencrypted password
// entries.
class CheckCommand : public DataToolCommand
{
public:
    using DataToolCommand::DataToolCommand;

    int run(const DataToolOptions& options) override;

private:
    int checkPasswordHealth(const ProgramFolder& folder);
};
