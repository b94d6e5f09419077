#pragma once

#include "backup/BackupKind.h"
#include "storage/ProgramFolder.h"

#include <QIODevice>
#include <QString>
#include <QStringList>

#include <optional>

class ReportWriter;

// The halvorn-data command line: list, export, import, check, report,
// backup and restore over the program's files. Output and error streams and whether the output is a
// terminal are given in, so the whole command line runs in tests.
class DataTool
{
public:
    enum ExitCode { Success = 0, ProblemFound = 1, BadUsage = 2 };

    // defaultFolder is where the files are when --dir is not given: the
    // folder halvorn itself would use. Without a report writer the report
    // command says it is not available.
    DataTool(QIODevice& out, QIODevice& err, bool outputIsTerminal, QString defaultFolder,
        ReportWriter* reports = nullptr);

    // arguments without the program name.
    int run(const QStringList& arguments);

    QString usage() const;

private:
    struct Options {
        QString folder;
        QString format = QStringLiteral("csv");
        QString output;
        bool formatGiven = false;
        bool show = false;
        // Empty: the paper of the user's locale, as on the screen.
        QString paper;
        bool landscape = false;
        std::optional<QString> reportOptions;
        std::optional<QString> entries;
        bool reportLayoutGiven = false;
        bool yes = false;
        std::optional<QString> keep;
        bool help = false;
        QStringList positional;
    };

    int runCommand(const QStringList& arguments);
    bool parse(const QStringList& arguments, Options& options);
    int list(const Options& options);
    int exportDocument(const Options& options);
    int importRows(const Options& options);
    int check(const Options& options);
    int report(const Options& options);

    // The name as listed in the function's list (kind "weight" or "bp"), or
    // nothing with the problem reported and its exit code in exitCode.
    std::optional<QString> listedName(
        const Options& options, bool weight, const QString& name, int& exitCode);
    // Refused when the output would replace one of the program's own files.
    bool overwritesProgramFile(const Options& options) const;
    int backupOrRestore(const Options& options);
    int listRestorePlan(BackupKind kind, const QString& folder, const QString& targetPath);
    int backupAll(const Options& options);
    int restoreAll(const Options& options);
    int listBackups(const Options& options);

    int usageError(const QString& message);
    int problem(const QString& message);
    // Writes the document to the output file (replaced whole, or left as it
    // was on failure) or to the output stream.
    int deliver(const Options& options, const QByteArray& bytes, bool secret);
    // A line the user reads; a failure to write it to the output stream is
    // remembered and ends the run with a problem.
    void print(QIODevice& device, const QString& line);

    QIODevice& m_out;
    QIODevice& m_err;
    bool m_outputIsTerminal;
    QString m_defaultFolder;
    ReportWriter* m_reports;
    QString m_outputFailure;
};
