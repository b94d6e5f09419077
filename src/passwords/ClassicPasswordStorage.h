#pragma once

#include "PasswordStorage.h"
#include "storage/ProgramFolder.h"

// The keeper's two files as they have always been stored: Secfile1.Fil and
// Secfile2.fil in the program folder, each owner-only.
class ClassicPasswordStorage : public PasswordStorage
{
public:
    explicit ClassicPasswordStorage(ProgramFolder folder);

    // Secfile1.Fil or Secfile2.fil.
    static QString fileName(Part part);

    QString filePath(Part part) const;

    bool exists(Part part) const override;
    std::optional<QByteArray> read(Part part, QString& error) const override;
    std::optional<PasswordRecord> readRecord(int recordNumber) const override;
    Outcome write(Part part, const QByteArray& bytes) override;

private:
    ProgramFolder m_folder;
};
