#pragma once

#include <QtGlobal>

// For as long as it lives, every checked write of the program (a whole-file
// save, a settings record, an export) goes through a FailDevice that lets
// the given number of bytes reach the file and then fails, as a disk that
// fills up part-way does. Each write gets the full allowance.
class FailingSaves
{
public:
    explicit FailingSaves(qint64 bytesBeforeFailure);
    ~FailingSaves();
    FailingSaves(const FailingSaves&) = delete;
    FailingSaves& operator=(const FailingSaves&) = delete;
};
