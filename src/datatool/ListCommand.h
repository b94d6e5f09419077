#pragma once

#include "DataToolCommand.h"

// list weight|bp|passwords: the names, one per line, in list order.
class ListCommand : public DataToolCommand
{
public:
    using DataToolCommand::DataToolCommand;

    int run(const DataToolOptions& options) override;
};
