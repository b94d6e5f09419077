#pragma once

#include "DataToolCommand.h"

// check: what is wrong with the folder's files, the damage first, then the
// notes.
class CheckCommand : public DataToolCommand
{
public:
    using DataToolCommand::DataToolCommand;

    int run(const DataToolOptions& options) override;
};
