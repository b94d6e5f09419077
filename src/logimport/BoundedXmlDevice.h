#pragma once

#include <QIODevice>
#include <QString>

// Another device's XML as a sequential, read-only device that stops where
// the XML stops being what an export can hold: a tag (with its attributes)
// or a text between tags longer than SpanLimit bytes, or, when a total is
// given, more bytes than that in all. An XML reader keeps a whole attribute
// or text in memory before it hands it on, so a node of gigabytes, packed
// into a small zip, would otherwise take them all; here the reader meets an
// early end instead, and failure() says why.
class BoundedXmlDevice : public QIODevice
{
public:
    // Far beyond any tag of the phone's export (a record with its
    // attributes is a few hundred bytes).
    static constexpr qint64 SpanLimit = 64 * 1024;

    explicit BoundedXmlDevice(QIODevice& source, qint64 totalLimit = -1);

    bool open(OpenMode mode) override;
    bool isSequential() const override { return true; }
    bool atEnd() const override;

    QString failure() const { return m_failure; }
    // Whether what stopped the reading was the total, not a long span.
    bool reachedTotal() const { return m_reachedTotal; }

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 maxSize) override;

private:
    // Follows the tags through the bytes; false when a span runs too long.
    bool scan(const char* data, qint64 size);

    QIODevice& m_source;
    qint64 m_totalLimit;
    qint64 m_total = 0;
    // Inside a tag, the next mark is its '>'; between tags, the next '<'.
    bool m_inTag = false;
    qint64 m_span = 0;
    bool m_reachedTotal = false;
    QString m_failure;
};
