#pragma once

#include "services/Outcome.h"
#include "storage/ProgramFolder.h"

#include <QByteArray>
#include <QString>

#include <optional>

// The vault file on disk. Written as a whole into a temporary file created
// owner-only, flushed and synced to the disk, then renamed over the old one,
// and the folder synced, so that a crash leaves the old vault or the new,
// never a part of one.
class VaultFile
{
public:
    explicit VaultFile(ProgramFolder folder);

    QString path() const;
    bool exists() const;

    // The file's bytes; nothing, with the reason, when it cannot be read.
    std::optional<QByteArray> read(QString& error) const;
    Outcome write(const QByteArray& bytes) const;
    // Removes the vault; a vault already gone counts as removed.
    Outcome remove() const;

private:
    ProgramFolder m_folder;
};
