#include "PasswordImportCases.h"

#include "passwords/KeeperProtection.h"
#include "passwords/PasswordFiles.h"
#include "passwords/PasswordImport.h"
#include "passwords/PasswordVault.h"
#include "passwords/VaultContents.h"
#include "passwords/VaultFile.h"
#include "passwords/VaultParameters.h"
#include "passwords/VaultPasswordStorage.h"
#include "storage/FileReading.h"
#include "storage/FileWriting.h"

#include <QTemporaryDir>

#include <memory>
#include <optional>

namespace {

using Format = PasswordImport::Format;

const QByteArray Master = QByteArrayLiteral("bench master password");

// What halvorn-data's import does once the file is read: the plan against
// the keeper's entries, then the entries added.
Outcome importInto(PasswordFiles& files, const QByteArray& bytes)
{
    const PasswordImport::Plan plan = PasswordImport::plan(
        PasswordImport::read(bytes, Format::Browser), files.loadAllEntries(), {});
    return PasswordImport::apply(files, plan);
}

} // namespace

PasswordImportCases::PasswordImportCases(Repetitions repetitions)
    : m_repetitions(repetitions)
{
    // Chrome's columns; each login an account of its own.
    m_export = "name,url,username,password,note\n";
    for (int i = 1; i <= Logins; ++i) {
        const QByteArray n = QByteArray::number(i);
        m_export += "site" + n + ".example,https://site" + n + ".example/login,user" + n
            + "@mail.example,Pw-" + n + "-x7#Lq,note " + n + "\n";
    }
}

void PasswordImportCases::check(bool ok, const QString& problem)
{
    if (!ok && !m_problems.contains(problem))
        m_problems.append(problem);
}

QList<BenchReport::Line> PasswordImportCases::importPasswords()
{
    return { importClassic(), importProtected() };
}

BenchReport::Line PasswordImportCases::importClassic()
{
    std::optional<QTemporaryDir> folder;
    Outcome imported;
    QByteArray index;
    QByteArray entries;
    const double program = m_repetitions.medianMilliseconds(
        [&] {
            PasswordFiles files { ProgramFolder(folder->path()) };
            imported = importInto(files, m_export);
        },
        [&] { folder.emplace(); },
        [&] {
            const PasswordFiles files { ProgramFolder(folder->path()) };
            check(imported.succeeded && files.LoadIndex().size() == Logins,
                QStringLiteral("importing %1 passwords failed: %2")
                    .arg(Logins)
                    .arg(imported.reason));
            QString error;
            index = FileReading::readAll(files.indexFilePath(), error).value_or(QByteArray());
            entries = FileReading::readAll(files.entriesFilePath(), error).value_or(QByteArray());
        });
    const double floor = m_repetitions.medianMilliseconds(
        [&] {
            const ProgramFolder target(folder->path());
            check(FileWriting::replaceFile(target.filePath(PasswordFiles::IndexFileName), index)
                    && FileWriting::replaceFile(
                        target.filePath(PasswordFiles::EntriesFileName), entries),
                QStringLiteral("the keeper's files could not be written"));
        },
        [&] { folder.emplace(); });
    return { QStringLiteral("import 10,000 passwords"), program, floor, QStringLiteral("ms"),
        QStringLiteral("writing the keeper's two files once") };
}

BenchReport::Line PasswordImportCases::importProtected()
{
    std::optional<QTemporaryDir> folder;
    std::shared_ptr<VaultPasswordStorage> storage;
    Outcome imported;
    // A keeper of one entry protected, then unlocked, before the clock
    // starts.
    const auto protectedKeeper = [&] {
        folder.emplace();
        const ProgramFolder target(folder->path());
        check(PasswordFiles(target).AddEntry({ QStringLiteral("https://bench.example"),
                  QStringLiteral("bench"), QStringLiteral("bench secret"), {} })
                && KeeperProtection(target, VaultParameters::fastest()).protect(Master),
            QStringLiteral("the bench keeper could not be protected"));
        storage = KeeperProtection(target, VaultParameters::fastest()).unlock(Master).storage;
    };
    const double program = m_repetitions.medianMilliseconds(
        [&] {
            PasswordFiles files(ProgramFolder(folder->path()), storage);
            imported = importInto(files, m_export);
        },
        protectedKeeper,
        [&] {
            check(imported.succeeded
                    && PasswordFiles(ProgramFolder(folder->path()), storage).LoadIndex().size()
                        == Logins + 1,
                QStringLiteral("importing %1 passwords into a protected keeper failed: %2")
                    .arg(Logins)
                    .arg(imported.reason));
        });
    const double floor = m_repetitions.medianMilliseconds([&] {
        check(VaultFile(ProgramFolder(folder->path()))
                  .write(PasswordVault::seal(storage->contents(), storage->key()))
                  .succeeded,
            QStringLiteral("the vault could not be sealed"));
    });
    return { QStringLiteral("import 10,000 passwords, protected"), program, floor,
        QStringLiteral("ms"), QStringLiteral("sealing and writing the vault once") };
}
