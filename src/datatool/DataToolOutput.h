#pragma once

#include <QIODevice>
#include <QString>

// The tool's output and error streams, shared by the dispatcher and every
// command, and the three ways a run ends.
class DataToolOutput
{
public:
    enum ExitCode { Success = 0, ProblemFound = 1, BadUsage = 2 };

    static inline const QString ProgramName = QStringLiteral("halvorn-data");
    static inline const QString StandardOutput = QStringLiteral("standard output");

    DataToolOutput(QIODevice& out, QIODevice& err);

    QIODevice& out() { return m_out; }
    QIODevice& err() { return m_err; }

    // A line the user reads; a failure to write it to the output stream is
    // remembered and ends the run with a problem.
    void print(QIODevice& device, const QString& line);
    int usageError(const QString& message);
    int problem(const QString& message);

    // Why a line did not reach the output stream, or empty.
    QString failure() const { return m_failure; }
    void clearFailure() { m_failure.clear(); }

private:
    QIODevice& m_out;
    QIODevice& m_err;
    QString m_failure;
};
