#pragma once

#include "DataToolCommand.h"
#include "LogImport.h"

#include <QByteArray>

#include <optional>

// import weight|bp NAME FILE: an export (another program's, the program's
// own CSV or JSON, or a plain CSV through the columns --map names),
// previewed, then imported whole or not at all.
// import passwords FILE: adds the entries of another password manager's
// export to the keeper.
class ImportCommand : public DataToolCommand
{
public:
    using DataToolCommand::DataToolCommand;

    int run(const DataToolOptions& options) override;

private:
    int importPasswords(const DataToolOptions& options);
    int importExport(const DataToolOptions& options, LogSource::Format format,
        const std::optional<ColumnMapping>& mapping, bool recognised);
    // The columns --map, --date-order and --unit name, or nothing with the
    // usage error reported.
    std::optional<ColumnMapping> mappingOf(const DataToolOptions& options, int& exitCode);
    void printPreview(const LogImport::Preview& preview);
    // The file's bytes, or nothing with the problem reported.
    std::optional<QByteArray> readFile(const QString& path, int& exitCode);
};
