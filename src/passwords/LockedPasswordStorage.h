#pragma once

#include "PasswordStorage.h"

// The storage of a locked keeper: nothing to read, nothing written. The
// keeper's screen holds it while locked, so that no command reaches the
// classic files a protected keeper no longer uses.
class LockedPasswordStorage : public PasswordStorage
{
public:
    bool exists(Part) const override { return false; }
    std::optional<QByteArray> read(Part, QString&) const override { return QByteArray(); }
    std::optional<PasswordRecord> readRecord(int) const override { return std::nullopt; }
    Outcome write(Part, const QByteArray&) override
    {
        return Outcome::refused(QStringLiteral("The Password Keeper is locked."));
    }
    Outcome writeBoth(const QByteArray&, const QByteArray&) override
    {
        return Outcome::refused(QStringLiteral("The Password Keeper is locked."));
    }
};
