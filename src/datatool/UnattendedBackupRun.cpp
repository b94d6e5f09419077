#include "UnattendedBackupRun.h"

#include <QDir>

#include <utility>

UnattendedBackupRun::UnattendedBackupRun(QIODevice& out, QIODevice& err, QString programName)
    : m_out(out)
    , m_err(err)
    , m_programName(std::move(programName))
{ }

MessageService::Answer UnattendedBackupRun::show(const Message& message)
{
    // The only Yes/No/Cancel question of a run is its go-ahead, which the
    // command line gave by being run.
    if (message.buttons == Buttons::YesNoCancel || message.buttons == Buttons::YesNo)
        return Answer::Yes;
    QString text = message.text;
    text.replace(u'\n', QStringLiteral("\n  "));
    m_err.write(QStringLiteral("%1: %2: %3\n").arg(m_programName, message.title, text).toUtf8());
    return message.buttons == Buttons::OkCancel ? Answer::Cancel : Answer::Ok;
}

std::optional<QString> UnattendedBackupRun::input(const QString&, const QString&, const QString&)
{
    return std::nullopt;
}

void UnattendedBackupRun::fileCopied(const QString& source, const QString& destination)
{
    m_out.write(QStringLiteral("%1 -> %2\n")
                    .arg(QDir::toNativeSeparators(source), QDir::toNativeSeparators(destination))
                    .toUtf8());
}
