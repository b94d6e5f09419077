#pragma once

#include "ProgramFolder.h"
#include "TaggedValue.h"

#include <QString>

// The numbered records of one settings file. Every call opens the file,
// touches one record and closes it again, so nothing is cached and the last
// writer wins. A record that is missing or bad reads as the empty value of
// its kind; a setter returns false when the value was not stored (too long,
// or the file could not be written).
class SettingsRecords
{
public:
    SettingsRecords(const ProgramFolder& folder, QString fileName, int recordLength);

    QString text(int record) const;
    bool setText(int record, const QString& text) const;

    qint16 int16(int record) const;
    bool setInt16(int record, qint16 value) const;

    TaggedValue tagged(int record) const;
    bool setTagged(int record, const TaggedValue& value) const;

private:
    QString filePath() const { return m_folder.filePath(m_fileName); }

    ProgramFolder m_folder;
    QString m_fileName;
    int m_recordLength;
};
