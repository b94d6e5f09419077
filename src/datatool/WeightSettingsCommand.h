#pragma once

#include "DataToolCommand.h"

// set weight NAME --unit lb|kg [--stones on|off] [--height N]: the person's
// unit, stones and height, kept in Halvorn.ini. Runs under the folder's lock,
// so it is refused while the program has the folder open.
class WeightSettingsCommand : public DataToolCommand
{
public:
    using DataToolCommand::DataToolCommand;

    int run(const DataToolOptions& options) override;
};
