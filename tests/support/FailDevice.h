#pragma once

#include <QIODevice>

// A device that passes writes on to another until a number of bytes has gone
// through, then behaves like a disk that has filled up: the write that
// crosses the limit is cut short and reported with its count alone, as Qt
// reports it for a real file, and every later write fails with "No space
// left on device". Reading is not supported.
class FailDevice : public QIODevice
{
public:
    // target may be null: the bytes that fit are then only counted.
    FailDevice(QIODevice* target, qint64 bytesBeforeFailure, QObject* parent = nullptr);

    qint64 bytesWritten() const { return m_written; }

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 size) override;

private:
    QIODevice* m_target;
    qint64 m_limit;
    qint64 m_written = 0;
};
