#pragma once

#include "storage/DataFolderLocation.h"
#include "storage/DataFolderLock.h"
#include "storage/ProgramFolder.h"

#include <QStringList>

#include <memory>
#include <optional>

class MessageService;

// What runs before the first window: the folder named on the command line
// or chosen by where the program runs from, created when new, checked and
// claimed for this copy. When that fails the user is told why and the
// program ends before it touches a file.
class ProgramStart
{
public:
    explicit ProgramStart(MessageService& messages);

    // arguments as the program received them, its own name first.
    bool claimDataFolder(const QStringList& arguments, const QString& executableFolder,
        const QString& userDataFolder);

    // The claimed folder; valid after claimDataFolder() returned true.
    ProgramFolder folder() const;

    static QString usage();

    // What --help or --version asks for, to be printed on the terminal before
    // anything needs a display; nothing for any other command line.
    static std::optional<QString> terminalAnswer(const QStringList& arguments);

private:
    void refuse(const QString& text);
    void settleUnfinishedRun();

    MessageService& m_messages;
    std::optional<DataFolderLocation> m_location;
    // Held for the whole run: the folder stays this copy's until it ends.
    std::unique_ptr<DataFolderLock> m_lock;
};
