#pragma once

#include "ProgramFolder.h"
#include "TaggedValue.h"
#include "services/Outcome.h"

#include <QString>

class RecordFile;

// The numbered records of one settings file. Every call opens the file,
// touches one record and closes it again, so nothing is cached and the last
// writer wins. A record that is missing or bad reads as the empty value of
// its kind; a setter's outcome names the file and the reason when the value
// was not stored (too long, or the file could not be written).
class SettingsRecords
{
public:
    SettingsRecords(const ProgramFolder& folder, QString fileName, int recordLength);

    QString text(int record) const;
    Outcome setText(int record, const QString& text) const;

    qint16 int16(int record) const;
    Outcome setInt16(int record, qint16 value) const;

    TaggedValue tagged(int record) const;
    Outcome setTagged(int record, const TaggedValue& value) const;

    // The outcome of a value refused before the file is touched.
    Outcome refused(const QString& reason) const;

private:
    QString filePath() const { return m_folder.filePath(m_fileName); }
    Outcome outcome(bool written, const RecordFile& file) const;
    // As spelled in the folder, which may differ in letter case.
    QString storedFileName() const;

    ProgramFolder m_folder;
    QString m_fileName;
    int m_recordLength;
};
