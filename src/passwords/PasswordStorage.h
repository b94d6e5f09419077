#pragma once

#include "KeeperText.h"
#include "PasswordRecord.h"
#include "services/Outcome.h"

#include <QByteArray>
#include <QString>

#include <optional>

// Where the keeper's index and entries are kept: the classic pair of files
// in the program folder, or the vault that holds both encrypted. The keeper's
// readers and writers see the same bytes either way.
class PasswordStorage
{
public:
    enum class Part { Index, Entries };

    virtual ~PasswordStorage() = default;

    // Whether the part has ever been written.
    virtual bool exists(Part part) const = 0;
    // The part's bytes; empty when it was never written; nothing, with the
    // reason, when it cannot be read.
    virtual std::optional<QByteArray> read(Part part, QString& error) const = 0;
    // One entries record as stored; a record past the end is empty. Nothing
    // when it cannot be read.
    virtual std::optional<PasswordRecord> readRecord(int recordNumber) const = 0;
    // Replaces the part whole; on failure the previous bytes stay.
    virtual Outcome write(Part part, const QByteArray& bytes) = 0;
    // Replaces both parts in one save: however it ends, a failure or a
    // crash at any moment included, both hold the new bytes or both the old.
    virtual Outcome writeBoth(const QByteArray& index, const QByteArray& entries) = 0;
    // The form the parts' texts are stored in, and so which text they hold.
    virtual KeeperText::Form textForm() const { return KeeperText::Form::Classic; }
};
