#include "EngineRun.h"

#include "backup/DiskFileOperations.h"
#include "backup/FileSetTransaction.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <functional>

// Folders that come from elsewhere (an archive keeps links, a shared stick
// holds what another computer put there) must never lead a backup, a
// restore or the settling of an interrupted one outside themselves.
namespace {

using namespace BackupFixtures;
using Answer = MessageService::Answer;
using Files = BackupFixtures::Files;

// Every entry below a folder, links as links and never followed, so that a
// change anywhere (a file moved out through a link included) shows.
QMap<QString, QByteArray> tree(const QString& folder)
{
    QMap<QString, QByteArray> entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
        QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        const QString name = QDir(folder).relativeFilePath(info.filePath());
        if (info.isSymLink())
            entries.insert(name, "link to " + info.symLinkTarget().toUtf8());
        else if (info.isDir())
            entries.insert(name, "folder");
        else {
            QFile file(info.filePath());
            entries.insert(name, file.open(QIODevice::ReadOnly) ? file.readAll() : "unreadable");
        }
    }
    return entries;
}

const Files& programFiles()
{
    static const Files files {
        { "WeightTrker.Fil", "\"Ann\"\r\n\"Bob\"\r\n" },
        { "Ann.Fil", weightFile("ann old") },
        { "Bob.Fil", weightFile("bob old") },
    };
    return files;
}

const Files& backupFiles()
{
    static const Files files {
        { "WeightTrker.Wtp", "\"Ann\"\r\n\"Bob\"\r\n" },
        { "Ann.Wtp", weightFile("ann new") },
        { "Bob.Wtp", weightFile("bob new") },
    };
    return files;
}

// A folder the run has no business with, which must come out unchanged.
struct Outside {
    TemporaryProgramFolder folder;
    Outside()
    {
        folder.write("id_rsa", "a private key");
        folder.write("WeightTrker.Fil", "\"Someone else\"\r\n");
        QDir(folder.path()).mkpath("sub");
        folder.write("sub/notes.txt", "kept in a subfolder");
    }
};

struct Planted {
    const char* name;
    // Plants the fault in the folder of an interrupted run; the outside
    // folder is what a link would lead to.
    std::function<void(const QString& folder, const QString& outside)> plant;
};

QString staging(const QString& folder)
{
    return QDir(folder).filePath(FileSetTransaction::StagingFolderName);
}

QString setAside(const QString& folder)
{
    return QDir(staging(folder)).filePath("replaced");
}

void replaceByLink(const QString& path, const QString& target)
{
    if (QFileInfo(path).isDir())
        QDir(path).removeRecursively();
    else
        QFile::remove(path);
    ASSERT_TRUE(QFile::link(target, path)) << path.toStdString();
}

void rewriteJournal(const QString& folder, const std::function<void(QJsonObject&)>& change)
{
    QFile file(QDir(folder).filePath(FileSetTransaction::JournalFileName));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QJsonObject journal = QJsonDocument::fromJson(file.readAll()).object();
    file.close();
    change(journal);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(QJsonDocument(journal).toJson());
}

// A journal whose names are changed and whose checksum is made to match,
// as whoever planted it would.
void renameInJournal(const QString& folder, const QString& name)
{
    rewriteJournal(folder, [&](QJsonObject& journal) {
        QJsonArray files = journal.value("files").toArray();
        QJsonObject first = files.at(0).toObject();
        first.insert("name", name);
        files.replace(0, first);
        journal.insert("files", files);
        journal.insert("checksum",
            QString::fromLatin1(QCryptographicHash::hash(
                QJsonDocument(files).toJson(QJsonDocument::Compact), QCryptographicHash::Sha256)
                                    .toHex()));
    });
}

const QList<Planted> PlantedFaults {
    { "the set-aside folder leads outside",
        [](const QString& folder, const QString& outside) {
            // What was set aside is copied there, so that undoing the run
            // would find every name it looks for.
            for (const QString& name : QDir(setAside(folder)).entryList(QDir::Files))
                QFile::copy(QDir(setAside(folder)).filePath(name), QDir(outside).filePath(name));
            replaceByLink(setAside(folder), outside);
        } },
    { "the staging folder leads outside",
        [](const QString& folder, const QString& outside) {
            replaceByLink(staging(folder), outside);
        } },
    { "a staged copy is a link",
        [](const QString& folder, const QString& outside) {
            const QString copy
                = QDir(staging(folder))
                      .filePath(QDir(staging(folder)).entryList(QDir::Files).first());
            replaceByLink(copy, QDir(outside).filePath("id_rsa"));
        } },
    { "the journal is a link",
        [](const QString& folder, const QString& outside) {
            const QString journal = QDir(folder).filePath(FileSetTransaction::JournalFileName);
            QFile::copy(journal, QDir(outside).filePath("journal.json"));
            replaceByLink(journal, QDir(outside).filePath("journal.json"));
        } },
    { "the staging folder holds a file the journal did not stage",
        [](const QString& folder, const QString&) {
            QFile file(QDir(staging(folder)).filePath("evil.desktop"));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write("[Desktop Entry]\nExec=sh -c 'true'\n");
        } },
    { "the set-aside folder holds a folder",
        [](const QString& folder, const QString&) { QDir(setAside(folder)).mkpath("sub"); } },
    { "the journal names a path outside, its checksum made to match",
        [](const QString& folder, const QString&) { renameInJournal(folder, "../id_rsa"); } },
    { "the journal was changed after it was written",
        [](const QString& folder, const QString&) {
            rewriteJournal(folder, [](QJsonObject& journal) {
                QJsonArray files = journal.value("files").toArray();
                QJsonObject first = files.at(0).toObject();
                first.insert("name", "Planted.Fil");
                files.replace(0, first);
                journal.insert("files", files);
            });
        } },
};

// An interrupted restore: the journal is written and some old files are
// already set aside.
struct InterruptedRestore {
    EngineRun run { programFiles(), backupFiles() };
    Outside outside;

    InterruptedRestore()
    {
        for (int step = 1;; ++step) {
            EngineRun attempt(programFiles(), backupFiles());
            attempt.files.crashAt(step);
            try {
                attempt.answerAndRun(BackupKind::WeightRestore, { Answer::Ok, Answer::Yes });
            } catch (const FaultyFileOperations::Crash&) { }
            if (!QDir(setAside(attempt.program.path())).entryList(QDir::Files).isEmpty()) {
                run.files.crashAt(step);
                break;
            }
            if (step > 100) {
                ADD_FAILURE() << "no step sets a file aside";
                return;
            }
        }
        EXPECT_THROW(run.answerAndRun(BackupKind::WeightRestore, { Answer::Ok, Answer::Yes }),
            FaultyFileOperations::Crash);
    }
};

TEST(HostileFolder, SettlingARunRefusesWhatItDidNotLeaveAndTouchesNothing)
{
    for (const Planted& planted : PlantedFaults) {
        SCOPED_TRACE(planted.name);
        InterruptedRestore interrupted;
        const QString folder = interrupted.run.program.path();
        const QString outside = interrupted.outside.folder.path();
        planted.plant(folder, outside);
        const auto folderBefore = tree(folder);
        const auto outsideBefore = tree(outside);

        DiskFileOperations disk;
        const FileSetTransaction::RecoveryOutcome recovery
            = FileSetTransaction::recover(folder, disk);
        EXPECT_EQ(recovery.result, FileSetTransaction::Recovery::Failed);
        EXPECT_TRUE(recovery.text.contains("no file was changed")) << recovery.text.toStdString();
        EXPECT_EQ(tree(folder), folderBefore);
        EXPECT_EQ(tree(outside), outsideBefore);
        // Still there to be looked at, and every later run is refused.
        EXPECT_TRUE(FileSetTransaction::hasUnfinishedRun(folder));
    }
}

// The faults above, planted in the folder a backup goes to or a restore
// comes from: the run is refused with the reason, and neither the program
// folder nor the folder a link leads to changes.
TEST(HostileFolder, ABackupOrRestoreThroughAPlantedLinkIsRefused)
{
    struct Case {
        const char* name;
        BackupKind kind;
        // Where the link leads: the program folder, or an outside folder.
        bool intoProgram;
    };
    const Case cases[] {
        { "a backup whose staging folder leads into the program folder", BackupKind::WeightBackup,
            true },
        { "a restore whose source's staging folder leads elsewhere", BackupKind::WeightRestore,
            false },
        { "a password backup whose staging folder leads elsewhere", BackupKind::PasswordBackup,
            false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EngineRun run(withChanges(programFiles(), passwordFiles({ "Bank" })), backupFiles());
        Outside outside;
        const QString target = c.intoProgram ? run.program.path() : outside.folder.path();
        ASSERT_TRUE(QFile::link(target, staging(run.backupFolder.path())));
        const auto programBefore = tree(run.program.path());
        const auto outsideBefore = tree(outside.folder.path());
        const auto backupBefore = tree(run.backupFolder.path());

        const BackupOutcome outcome = run.answerAndRun(c.kind, { Answer::Yes });
        EXPECT_FALSE(outcome.completed());
        EXPECT_FALSE(outcome.programFolderChanged);
        ASSERT_FALSE(run.messages.messages().isEmpty());
        EXPECT_TRUE(run.messages.last().text.contains(".halvorn-staging is a link"))
            << run.messages.last().text.toStdString();
        EXPECT_EQ(tree(run.program.path()), programBefore);
        EXPECT_EQ(tree(outside.folder.path()), outsideBefore);
        EXPECT_EQ(tree(run.backupFolder.path()), backupBefore);
    }
}

// Removing a folder of copies never goes through a link inside it.
TEST(HostileFolder, RemovingAFolderLeavesWhatItsLinksLeadToAlone)
{
    TemporaryProgramFolder folder;
    Outside outside;
    QDir(folder.path()).mkpath("copies/deeper");
    folder.write("copies/a.Fil", "a");
    ASSERT_TRUE(QFile::link(outside.folder.path(), folder.filePath("copies/deeper/out")));
    ASSERT_TRUE(QFile::link(outside.folder.filePath("id_rsa"), folder.filePath("copies/key")));
    const auto outsideBefore = tree(outside.folder.path());

    DiskFileOperations disk;
    EXPECT_TRUE(disk.removeFolder(folder.filePath("copies")));
    EXPECT_FALSE(QFileInfo::exists(folder.filePath("copies")));
    EXPECT_EQ(tree(outside.folder.path()), outsideBefore);

    // A link in the folder's own place is neither followed nor taken for it.
    ASSERT_TRUE(QFile::link(outside.folder.path(), folder.filePath("copies")));
    EXPECT_FALSE(disk.removeFolder(folder.filePath("copies")));
    EXPECT_EQ(tree(outside.folder.path()), outsideBefore);
}

} // namespace
