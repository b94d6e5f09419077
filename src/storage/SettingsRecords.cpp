#include "SettingsRecords.h"

#include "RecordFile.h"

SettingsRecords::SettingsRecords(const ProgramFolder& folder, QString fileName, int recordLength)
    : m_folder(folder)
    , m_fileName(std::move(fileName))
    , m_recordLength(recordLength)
{
}

QString SettingsRecords::text(int record) const
{
    RecordFile file(filePath(), m_recordLength);
    QString text;
    file.readText(record, text);
    return text;
}

bool SettingsRecords::setText(int record, const QString& text) const
{
    RecordFile file(filePath(), m_recordLength);
    return file.writeText(record, text);
}

qint16 SettingsRecords::int16(int record) const
{
    RecordFile file(filePath(), m_recordLength);
    qint16 value = 0;
    file.readInt16(record, value);
    return value;
}

bool SettingsRecords::setInt16(int record, qint16 value) const
{
    RecordFile file(filePath(), m_recordLength);
    return file.writeInt16(record, value);
}

TaggedValue SettingsRecords::tagged(int record) const
{
    RecordFile file(filePath(), m_recordLength);
    TaggedValue value;
    file.readTagged(record, value);
    return value;
}

bool SettingsRecords::setTagged(int record, const TaggedValue& value) const
{
    RecordFile file(filePath(), m_recordLength);
    return file.writeTagged(record, value);
}
