#include "DataToolOutput.h"

#include "storage/FileWriting.h"

DataToolOutput::DataToolOutput(QIODevice& out, QIODevice& err)
    : m_out(out)
    , m_err(err)
{ }

void DataToolOutput::print(QIODevice& device, const QString& line)
{
    const Outcome outcome = FileWriting::writeAll(device, QString(), line.toUtf8());
    if (!outcome.succeeded && &device == &m_out && m_failure.isEmpty())
        m_failure = outcome.reason;
}

int DataToolOutput::usageError(const QString& message)
{
    print(m_err, QStringLiteral("%1: %2 (see %1 --help)\n").arg(ProgramName, message));
    return BadUsage;
}

int DataToolOutput::problem(const QString& message)
{
    print(m_err, QStringLiteral("%1: %2\n").arg(ProgramName, message));
    return ProblemFound;
}
