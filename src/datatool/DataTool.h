#pragma once

#include "storage/ProgramFolder.h"

#include <QIODevice>
#include <QString>
#include <QStringList>

// The halvorn-data command line: list, export, import, check, backup and
// restore over the program's files. Output and error streams and whether the output is a
// terminal are given in, so the whole command line runs in tests.
class DataTool
{
public:
    enum ExitCode { Success = 0, ProblemFound = 1, BadUsage = 2 };

    // defaultFolder is where the files are when --dir is not given: the
    // folder of the executable, where halvorn keeps them.
    DataTool(QIODevice& out, QIODevice& err, bool outputIsTerminal, QString defaultFolder);

    // arguments without the program name.
    int run(const QStringList& arguments);

    static QString usage();

private:
    struct Options {
        QString folder;
        QString format = QStringLiteral("csv");
        QString output;
        bool formatGiven = false;
        bool show = false;
        bool yes = false;
        bool help = false;
        QStringList positional;
    };

    int runCommand(const QStringList& arguments);
    bool parse(const QStringList& arguments, Options& options);
    int list(const Options& options);
    int exportDocument(const Options& options);
    int importRows(const Options& options);
    int check(const Options& options);
    int backupOrRestore(const Options& options);
    int listRestorePlan(qint16 kind, const QString& folder, const QString& targetPath);

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
    QString m_outputFailure;
};
