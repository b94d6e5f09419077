#pragma once

#include "DataToolCommand.h"

// import weight|bp NAME FILE.csv: appends checked rows to the file of NAME.
class ImportCommand : public DataToolCommand
{
public:
    using DataToolCommand::DataToolCommand;

    int run(const DataToolOptions& options) override;
};
