#pragma once

#include "RecordStructure.h"
#include "TaggedValue.h"

#include <QFile>
#include <QString>

#include <optional>

// The numbered-record file: records of one fixed length L, numbered from 1,
// each holding one value whose kind the caller names. Settings are rewritten
// in place, record by record.
//
// A record beyond the end of the file, or one of zero bytes, reads as the
// empty value of its kind; callers rely on that to apply their defaults. A bad
// record (a length or type code out of range) fails to read and the
// destination keeps its value. A value too long for its record is not
// written and the record keeps its previous contents.
class RecordFile
{
public:
    // Opens for reading and writing; a missing file is created empty.
    RecordFile(const QString& filePath, int recordLength);
    ~RecordFile();
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;

    bool isOpen() const;
    int recordLength() const { return m_recordLength; }
    // Why the file could not be opened, or why the last write failed.
    QString errorString() const;

    bool readText(int record, QString& destination);
    bool readInt16(int record, qint16& destination);
    bool readTagged(int record, TaggedValue& destination);
    bool readStructure(int record, RecordStructure& destination);

    bool writeText(int record, const QString& value);
    bool writeInt16(int record, qint16 value);
    bool writeTagged(int record, const TaggedValue& value);
    bool writeStructure(int record, const RecordStructure& value);

    void close();

private:
    qint64 positionOf(int record) const;
    // The bytes of a record, fewer when the file ends inside it and none when
    // not even its first two bytes exist; nothing when the file is not open,
    // the record number is below 1 or reading fails.
    std::optional<QByteArray> readRecord(int record);
    bool writeRecord(int record, const QByteArray& encoded);
    bool fail(const QString& reason);
    QString tooLong(qsizetype size) const;

    QFile m_file;
    int m_recordLength;
    QString m_error;
};
