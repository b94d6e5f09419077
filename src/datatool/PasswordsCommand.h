#pragma once

#include "DataToolCommand.h"

// passwords protect|unprotect|change-master: turns the keeper's protection
// on or off, or changes its master password. The passwords come from the
// terminal without echo, or one per line from standard input.
class PasswordsCommand : public DataToolCommand
{
public:
    using DataToolCommand::DataToolCommand;

    int run(const DataToolOptions& options) override;
};
