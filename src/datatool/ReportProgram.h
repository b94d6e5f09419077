#pragma once

#include <QString>
#include <QStringList>

// halvorn-data's report command lives in a program of its own, the only one
// of the two that loads fonts, pictures and the chart: every other command
// starts on Qt Core alone. halvorn-data hands a report command line over to
// it whole, in the same process, so that the terminal, the exit code and the
// master-password prompt stay as they were.
class ReportProgram
{
public:
    static inline const QString FileName = QStringLiteral("halvorn-report");
    // The variable that carries halvorn-data's own default folder over, so
    // that both programs read the same files wherever each is installed.
    static constexpr const char* DefaultFolderVariable = "HALVORN_DATA_DEFAULT_FOLDER";

    // Whether a command line asks for a report. A name that happens to be
    // "report" is handed over too, which is harmless: the report program
    // runs every command.
    static bool isReportCommandLine(const QStringList& arguments);

    // Where the report program sits for a halvorn-data in executableFolder:
    // an installed copy keeps it among the installation's private programs,
    // a build or a portable copy beside itself. Empty when neither exists.
    static QString locate(const QString& executableFolder);

    // Replaces this process with the report program run on this one's
    // arguments, passed on byte for byte. Returns only when it could not be
    // started, with the system's reason.
    static QString replaceProcess(
        const QString& program, int argc, char* argv[], const QString& defaultFolder);
};
