#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <initializer_list>
#include <vector>

// A fixed layout of fixed-length text fields (and fixed-size arrays of them),
// stored back to back with no length prefix. A field always holds exactly its
// width: shorter text is padded with blanks, longer text is cut.
class RecordStructure
{
public:
    struct Field {
        int width = 0; // characters (bytes) per element
        int elements = 1; // 1 for a plain field, K for an array
    };

    explicit RecordStructure(std::initializer_list<Field> fields);

    int size() const; // bytes on disk
    int fieldCount() const { return int(m_fields.size()); }

    // The stored text of a field element, padding included. A field never
    // assigned (or read from an empty record) holds zero characters (U+0000).
    QString field(int index, int element = 0) const;
    // The field's text without its trailing blanks and zero characters, as
    // screens show it.
    QString text(int index, int element = 0) const;
    void setField(int index, const QString& text) { setField(index, 0, text); }
    void setField(int index, int element, const QString& text);

    QByteArray encode() const;
    // Fills every field in declaration order; bytes missing at the end read as
    // zero.
    void decode(QByteArrayView bytes);

private:
    int offsetOf(int index, int element) const;

    std::vector<Field> m_fields;
    QByteArray m_bytes; // the encoded record, always size() bytes
};
