#pragma once

#include "ProgramFolder.h"
#include "SettingsRecords.h"

#include <QString>

// ZORQNAME.FIL: the family name that stands in front of every window title,
// record 1. Each call opens the file, touches the record and closes it again.
class ZorqNameFile
{
public:
    static constexpr int RecordLength = 40;
    static constexpr int MaximumNameLength = 15;

    explicit ZorqNameFile(const ProgramFolder& folder);

    // Empty when no family name was ever given.
    QString familyName() const;
    // Stores at most the first 15 characters; the empty text removes the name.
    Outcome setFamilyName(const QString& name) const;

private:
    SettingsRecords m_records;
};
