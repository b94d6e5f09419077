#include "ProgramStart.h"

#include "backup/DiskFileOperations.h"
#include "backup/FileSetTransaction.h"
#include "passwords/KeeperLeftovers.h"
#include "services/MessageService.h"
#include "services/ProgramInfo.h"
#include "storage/LeftoverFiles.h"

#include <QCommandLineParser>

ProgramStart::ProgramStart(MessageService& messages)
    : m_messages(messages)
{ }

QString ProgramStart::usage()
{
    return QStringLiteral("Usage: halvorn [--dir FOLDER]\n"
                          "FOLDER is where Halvorn keeps its logs and settings.\n"
                          "halvorn --help prints this text, halvorn --version the version.");
}

std::optional<QString> ProgramStart::terminalAnswer(const QStringList& arguments)
{
    const QStringList options = arguments.mid(1);
    if (options.contains(QStringLiteral("--help")) || options.contains(QStringLiteral("-h")))
        return usage() + QLatin1Char('\n');
    if (options.contains(QStringLiteral("--version")) || options.contains(QStringLiteral("-v")))
        return QStringLiteral("halvorn %1\n").arg(ProgramInfo::versionNumber());
    return std::nullopt;
}

bool ProgramStart::claimDataFolder(
    const QStringList& arguments, const QString& executableFolder, const QString& userDataFolder)
{
    QCommandLineParser parser;
    const QCommandLineOption dirOption(QStringLiteral("dir"),
        QStringLiteral("The folder for logs and settings."), QStringLiteral("FOLDER"));
    parser.addOption(dirOption);
    if (!parser.parse(arguments) || !parser.positionalArguments().isEmpty()) {
        const QString error = parser.errorText().isEmpty()
            ? QStringLiteral("Unexpected argument: %1").arg(parser.positionalArguments().first())
            : parser.errorText();
        refuse(error + QStringLiteral("\n\n") + usage());
        return false;
    }
    if (parser.isSet(dirOption) && parser.value(dirOption).isEmpty()) {
        refuse(QStringLiteral("--dir needs the name of a folder.\n\n") + usage());
        return false;
    }

    m_location.emplace(executableFolder, parser.value(dirOption), userDataFolder);
    m_lock = std::make_unique<DataFolderLock>(m_location->dataFolder());
    switch (m_lock->acquire()) {
    case DataFolderLock::Outcome::Acquired:
        if (!m_lock->note().isEmpty())
            m_messages.inform(m_lock->note(), ProgramInfo::name());
        settleUnfinishedRun();
        return true;
    case DataFolderLock::Outcome::InUse:
        m_messages.warn(m_lock->problem()
                + QStringLiteral("\n\nOnly one copy can use these files at a time, so that "
                                 "neither overwrites the other's saves. This copy will close."),
            ProgramInfo::name());
        break;
    case DataFolderLock::Outcome::Unusable:
        refuse(m_lock->problem()
            + QStringLiteral("\n\nHalvorn keeps every log and setting there and cannot run "
                             "without it. Start it with --dir FOLDER to name another folder."));
        break;
    }
    m_lock.reset();
    return false;
}

ProgramFolder ProgramStart::folder() const
{
    return m_location->programFolder();
}

void ProgramStart::settleUnfinishedRun()
{
    // A restore that was cut short is finished, or undone, before any screen
    // reads a file of the set.
    DiskFileOperations files;
    const FileSetTransaction::RecoveryOutcome recovery
        = FileSetTransaction::recover(m_location->dataFolder(), files);
    if (recovery.result == FileSetTransaction::Recovery::Failed)
        m_messages.warn(recovery.text, ProgramInfo::name());
    else if (!recovery.text.isEmpty())
        m_messages.inform(recovery.text, ProgramInfo::name());
    // Temporary files of writes that were cut short go now that nothing
    // else can be writing them.
    if (const QStringList removed = LeftoverFiles::removeAll(m_location->dataFolder());
        !removed.isEmpty())
        m_messages.inform(removed.join(u'\n'), ProgramInfo::name());
    // A save of the keeper cut short may have left its new version, with
    // the passwords in it, beside the file.
    if (const QStringList kept = KeeperLeftovers::remove(ProgramFolder(m_location->dataFolder()));
        !kept.isEmpty())
        m_messages.warn(QStringLiteral("%1 could not be deleted. It is a copy of the Password "
                                       "Keeper that a save cut short left behind: delete it.")
                            .arg(kept.join(QStringLiteral(", "))),
            ProgramInfo::name());
}

void ProgramStart::refuse(const QString& text)
{
    m_messages.error(text, ProgramInfo::name());
}
