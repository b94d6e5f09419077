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
    // The Yes/No questions of a run are its go-aheads, which the command
    // line gave by being run; a warning among them (a restore that removes
    // the keeper's protection) is still said.
    const bool question
        = message.buttons == Buttons::YesNoCancel || message.buttons == Buttons::YesNo;
    if (question && message.icon != Icon::Exclamation)
        return Answer::Yes;
    QString text = message.text;
    text.replace(u'\n', QStringLiteral("\n  "));
    m_err.write(QStringLiteral("%1: %2: %3\n").arg(m_programName, message.title, text).toUtf8());
    if (question)
        return Answer::Yes;
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
