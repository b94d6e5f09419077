#include "SettingsRecords.h"

#include "RecordFile.h"

#include <QFileInfo>

SettingsRecords::SettingsRecords(const ProgramFolder& folder, QString fileName, int recordLength)
    : m_folder(folder)
    , m_fileName(std::move(fileName))
    , m_recordLength(recordLength)
{ }

QString SettingsRecords::text(int record) const
{
    RecordFile file(filePath(), m_recordLength);
    QString text;
    file.readText(record, text);
    return text;
}

QString SettingsRecords::storedFileName() const
{
    return QFileInfo(filePath()).fileName();
}

Outcome SettingsRecords::outcome(bool written, const RecordFile& file) const
{
    if (written)
        return Outcome::success();
    return Outcome::failure(storedFileName(), file.errorString());
}

Outcome SettingsRecords::refused(const QString& reason) const
{
    return Outcome::failure(storedFileName(), reason);
}

Outcome SettingsRecords::setText(int record, const QString& text) const
{
    RecordFile file(filePath(), m_recordLength);
    return outcome(file.writeText(record, text), file);
}

qint16 SettingsRecords::int16(int record) const
{
    RecordFile file(filePath(), m_recordLength);
    qint16 value = 0;
    file.readInt16(record, value);
    return value;
}

Outcome SettingsRecords::setInt16(int record, qint16 value) const
{
    RecordFile file(filePath(), m_recordLength);
    return outcome(file.writeInt16(record, value), file);
}

TaggedValue SettingsRecords::tagged(int record) const
{
    RecordFile file(filePath(), m_recordLength);
    TaggedValue value;
    file.readTagged(record, value);
    return value;
}

Outcome SettingsRecords::setTagged(int record, const TaggedValue& value) const
{
    RecordFile file(filePath(), m_recordLength);
    return outcome(file.writeTagged(record, value), file);
}
