#pragma once

#include "DataToolOutput.h"

#include <QIODevice>
#include <QString>
#include <QStringList>

#include <memory>

class DataToolCommand;
struct DataToolOptions;
class ReportWriter;

// The halvorn-data command line: list, export, import, check, report,
// backup and restore over the program's files. It reads the command line,
// checks what belongs to which command, settles an unfinished run and hands
// the rest to the command named. Output and error streams and whether the
// output is a terminal are given in, so the whole command line runs in tests.
class DataTool
{
public:
    using ExitCode = DataToolOutput::ExitCode;
    using enum DataToolOutput::ExitCode;

    // defaultFolder is where the files are when --dir is not given: the
    // folder halvorn itself would use. Without a report writer the report
    // command says it is not available.
    DataTool(QIODevice& out, QIODevice& err, bool outputIsTerminal, QString defaultFolder,
        ReportWriter* reports = nullptr);

    // arguments without the program name.
    int run(const QStringList& arguments);

    QString usage() const;

private:
    int runCommand(const QStringList& arguments);
    // The command named first on the command line, or null when there is
    // none of that name.
    std::unique_ptr<DataToolCommand> commandFor(const DataToolOptions& options);

    DataToolOutput m_output;
    bool m_outputIsTerminal;
    QString m_defaultFolder;
    ReportWriter* m_reports;
};
