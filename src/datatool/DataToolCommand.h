#pragma once

#include "DataToolOptions.h"
#include "DataToolOutput.h"

#include <QIODevice>
#include <QString>

#include <memory>
#include <optional>

class PasswordStorage;
class ProgramFolder;

// One halvorn-data command: run with the options of the command line, it
// writes to the tool's streams and gives the exit code.
class DataToolCommand
{
public:
    explicit DataToolCommand(DataToolOutput& output);
    virtual ~DataToolCommand() = default;

    virtual int run(const DataToolOptions& options) = 0;

protected:
    using Kind = DataToolOptions::Kind;
    using enum DataToolOutput::ExitCode;
    static inline const QString& ProgramName = DataToolOutput::ProgramName;

    void print(QIODevice& device, const QString& line) { m_output.print(device, line); }
    int usageError(const QString& message) { return m_output.usageError(message); }
    int problem(const QString& message) { return m_output.problem(message); }

    // The name as listed in the function's list (kind "weight" or "bp"), or
    // nothing with the problem reported and its exit code in exitCode.
    std::optional<QString> listedName(
        const DataToolOptions& options, bool weight, const QString& name, int& exitCode);

    // Where the keeper's files are read: the folder's classic pair, or a
    // protected keeper's vault unlocked with the master password read from
    // the terminal or standard input. Null, with the problem reported and
    // its exit code in exitCode, when the vault does not open.
    std::shared_ptr<PasswordStorage> passwordStorage(const ProgramFolder& folder, int& exitCode);

    QIODevice& m_out;
    QIODevice& m_err;

private:
    DataToolOutput& m_output;
};
