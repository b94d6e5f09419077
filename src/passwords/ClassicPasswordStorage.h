#pragma once

#include "PasswordStorage.h"
#include "storage/ProgramFolder.h"

class BackupFileOperations;

// The keeper's two files as they have always been stored: Secfile1.Fil and
// Secfile2.fil in the program folder, each owner-only.
//
// Both are replaced together the way a restore replaces a set of files:
// staged beside the folder's files, then put in place under the journal,
// which the next opening of the folder finishes or undoes.
class ClassicPasswordStorage : public PasswordStorage
{
public:
    // files carries out writeBoth's steps; without it, the disk's own.
    explicit ClassicPasswordStorage(ProgramFolder folder, BackupFileOperations* files = nullptr);

    // Secfile1.Fil or Secfile2.fil.
    static QString fileName(Part part);

    QString filePath(Part part) const;

    bool exists(Part part) const override;
    std::optional<QByteArray> read(Part part, QString& error) const override;
    std::optional<PasswordRecord> readRecord(int recordNumber) const override;
    Outcome write(Part part, const QByteArray& bytes) override;
    Outcome writeBoth(const QByteArray& index, const QByteArray& entries) override;

private:
    ProgramFolder m_folder;
    BackupFileOperations* m_files;
};
