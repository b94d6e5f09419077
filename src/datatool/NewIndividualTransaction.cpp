#include "NewIndividualTransaction.h"

#include "backup/FileSetTransaction.h"
#include "storage/ProgramSettings.h"

#include <QDir>
#include <QFileInfo>

namespace {

// What a file the folder does not hold yet is given, as a save would.
constexpr QFileDevice::Permissions NewFilePermissions = QFileDevice::ReadOwner
    | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;

struct Placed {
    QString name; // in the folder, in the letter case it already has there
    QStringList previous;
    QFileDevice::Permissions permissions = NewFilePermissions;
};

Placed placeOf(const ProgramFolder& folder, const QString& bareName)
{
    const QFileInfo existing(folder.filePath(bareName));
    if (!existing.exists() && !existing.isSymLink())
        return { bareName, {}, NewFilePermissions };
    return { existing.fileName(), { existing.fileName() }, existing.permissions() };
}

} // namespace

Outcome NewIndividualTransaction::write(const ProgramFolder& folder, IndividualList list,
    const QString& name, const std::function<Outcome(const ProgramFolder&)>& saveDataFile,
    const std::optional<WeightPersonSettings::Values>& personSettings, BackupFileOperations& files)
{
    if (const QString reason = list.refusalForNewName(name, folder); !reason.isEmpty())
        return Outcome::refused(reason);
    FileSetTransaction transaction(folder.path(), files);
    if (Outcome prepared = transaction.prepare(); !prepared)
        return prepared;
    // The files are written apart from the staged names, which stage()
    // copies them to and checks.
    const QString drafts
        = QDir(transaction.stagingFolder()).filePath(FileSetTransaction::DraftsFolderName);
    const ProgramFolder draftFolder(drafts);
    const auto failed = [&](Outcome outcome) {
        transaction.discard();
        return outcome;
    };
    QString why;
    if (!files.makeFolder(drafts, &why))
        return failed(Outcome::failed(
            QStringLiteral("the folder %1 could not be made: %2").arg(drafts, why)));

    const QString trimmed = name.trimmed();
    QList<Placed> placed;
    if (Outcome saved = saveDataFile(draftFolder); !saved)
        return failed(saved);
    placed.append({ list.dataFileName(trimmed), {}, NewFilePermissions });
    list.add(trimmed);
    if (Outcome listed = list.write(draftFolder); !listed)
        return failed(listed);
    placed.append(placeOf(folder, list.listFileName()));
    if (personSettings) {
        // The settings file holds every other setting too: the new person's
        // keys go into a copy of it.
        const Placed settings = placeOf(folder, ProgramSettings::FileName);
        if (!settings.previous.isEmpty()
            && files.copy(folder.filePath(settings.name), draftFolder.filePath(settings.name))
                != BackupFileOperations::CopyResult::Copied)
            return failed(Outcome::failed(
                QStringLiteral("%1 could not be copied").arg(ProgramSettings::FileName)));
        if (Outcome stored = WeightPersonSettings(draftFolder).write(trimmed, *personSettings);
            !stored)
            return failed(stored);
        placed.append(settings);
    }
    // A link where a file belongs (one pointing nowhere included) is not
    // replaced: it is no file this program wrote.
    for (const Placed& file : std::as_const(placed))
        if (QFileInfo(folder.filePath(file.name)).isSymLink())
            return failed(Outcome::refused(
                QStringLiteral("%1 is a link, not a file; nothing was written").arg(file.name)));
    for (const Placed& file : std::as_const(placed)) {
        const FileSetTransaction::Staged staged = transaction.stage(
            draftFolder.filePath(file.name), file.name, file.previous, file.permissions);
        if (!staged.outcome)
            return failed(staged.outcome);
    }
    return transaction.commit();
}
