#pragma once

#include "backup/FunctionContents.h"
#include "storage/ProgramFolder.h"

// What each function's files in a folder hold, read by the function's own
// readers: the describe step of the program's backup sets.
class ProgramContents
{
public:
    static FunctionContents weight(const ProgramFolder& folder);
    static FunctionContents bloodPressure(const ProgramFolder& folder);
    // A protected keeper's vault is measured, never opened.
    static FunctionContents passwords(const ProgramFolder& folder);
};
