#pragma once

#include "DataToolCommand.h"
#include "LogImport.h"

#include <QByteArray>

#include <optional>

// import weight|bp NAME FILE.csv: appends checked rows to the file of NAME.
// import weight|bp NAME FILE with another program's export: previewed,
// then imported whole or not at all.
// import passwords FILE: adds the entries of another password manager's
// export to the keeper.
class ImportCommand : public DataToolCommand
{
public:
    using DataToolCommand::DataToolCommand;

    int run(const DataToolOptions& options) override;

private:
    int importPasswords(const DataToolOptions& options);
    int importExport(const DataToolOptions& options, std::optional<LogSource::Format> format);
    void printPreview(const LogImport::Preview& preview);
    // The file's bytes, or nothing with the problem reported.
    std::optional<QByteArray> readFile(const QString& path, int& exitCode);
};
