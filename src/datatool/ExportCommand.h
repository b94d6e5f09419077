#pragma once

#include "DataToolCommand.h"

#include <QByteArray>

// export weight NAME, export bp NAME, export passwords: a function's files
// as one CSV or JSON document, to the output stream or a file.
class ExportCommand : public DataToolCommand
{
public:
    ExportCommand(DataToolOutput& output, bool outputIsTerminal);

    int run(const DataToolOptions& options) override;

private:
    // Writes the document to the output file (replaced whole, or left as it
    // was on failure) or to the output stream.
    int deliver(const DataToolOptions& options, const QByteArray& bytes, bool secret);

    bool m_outputIsTerminal;
};
