// Settles an interrupted run whose journal (halvorn-journal.json) is
// arbitrary bytes, in a folder holding a staged copy and a file set aside:
// whatever the journal says, nothing outside the folder changes, a refusal
// changes nothing inside it either, and anything else leaves no run behind.
#include "FuzzFolder.h"

#include "backup/DiskFileOperations.h"
#include "backup/FileSetTransaction.h"

#include <QDirIterator>
#include <QFileInfo>

namespace {

// Every entry below folder, links as links.
QMap<QString, QByteArray> tree(const QString& folder)
{
    QMap<QString, QByteArray> entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
        QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        QFile file(info.filePath());
        entries.insert(QDir(folder).relativeFilePath(info.filePath()),
            info.isSymLink()                     ? "link to " + info.symLinkTarget().toUtf8()
                : info.isDir()                   ? QByteArray("folder")
                : file.open(QIODevice::ReadOnly) ? file.readAll()
                                                 : QByteArray("unreadable"));
    }
    return entries;
}

void write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        std::abort(); // the run itself is broken, not the program
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QTemporaryDir scratch;
    const QDir root(scratch.path());
    if (!root.mkpath(QStringLiteral("outside"))
        || !root.mkpath(QStringLiteral("folder/.halvorn-staging/replaced")))
        std::abort();
    const QString folder = root.filePath(QStringLiteral("folder"));
    write(root.filePath(QStringLiteral("outside/id_rsa")), "a private key");
    write(root.filePath(QStringLiteral("outside/Ann.Fil")), "someone else's");
    write(QDir(folder).filePath(QStringLiteral("WeightTrker.Fil")), "\"Ann\"\r\n");
    write(QDir(folder).filePath(QStringLiteral(".halvorn-staging/Ann.Fil")), "new");
    write(QDir(folder).filePath(QStringLiteral(".halvorn-staging/replaced/Bob.Fil")), "old");
    write(QDir(folder).filePath(FileSetTransaction::JournalFileName),
        FuzzFolder::bytes(data, size).toByteArray());
    const auto outside = tree(root.filePath(QStringLiteral("outside")));
    const auto inside = tree(folder);

    DiskFileOperations disk;
    const FileSetTransaction::RecoveryOutcome recovery = FileSetTransaction::recover(folder, disk);
    if (tree(root.filePath(QStringLiteral("outside"))) != outside)
        std::abort();
    if (recovery.result == FileSetTransaction::Recovery::Failed
            ? tree(folder) != inside
            : FileSetTransaction::hasUnfinishedRun(folder))
        std::abort();
    return 0;
}
