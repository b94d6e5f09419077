#pragma once

#include <QByteArray>
#include <QSaveFile>
#include <QString>
#include <QStringList>

#include <memory>

// The line-record text file: one double-quoted Windows-1252 value per line,
// each line ended by CR LF. Used for the lists and the data files, which are
// always rewritten whole.
//
// Writing goes through QSaveFile: the previous file stays untouched until
// close() has written the new one completely, so a failed or interrupted save
// never loses what was stored before. The lines are gathered in memory and
// written at close() in one checked write, so that a disk filling part-way
// is reported with how much of the file could be written.
//
// Reading loads the whole file (they are small) and parses from memory, so no
// read can go past the end of the file. A read that fails leaves its
// destination unchanged, which callers rely on.
class TextRecordFile
{
public:
    TextRecordFile();
    ~TextRecordFile();
    TextRecordFile(const TextRecordFile&) = delete;
    TextRecordFile& operator=(const TextRecordFile&) = delete;

    // --- writing -------------------------------------------------------
    // Prepares a new version of the file; nothing reaches the disk before
    // close() succeeds.
    bool openForWriting(const QString& filePath);
    void writeValue(const QString& value);
    // An unset value: the line end alone.
    void writeUnset();

    // --- reading -------------------------------------------------------
    // Fails when the file is missing or unreadable; every later read fails.
    bool openForReading(const QString& filePath);
    // Reads from bytes already in memory (tests, fuzzing, checks).
    void openBytes(QByteArray bytes);
    bool atEnd() const;
    // The next value by the reading rules; false (and destination unchanged)
    // when no byte remains or the file is not open for reading.
    bool readValue(QString& destination);

    // Ends the operation. After writing it commits the new file and returns
    // false when anything failed; errorString() then says why.
    bool close();
    QString errorString() const { return m_error; }

    // Every value of a file, in order (Ann.Fil, the lists). False, with the
    // reason (without the file's name), when the file cannot be read.
    static bool readAllValues(
        const QString& filePath, QStringList& values, QString* reason = nullptr);

    // The bytes of one stored line, CR LF included. A double quote cannot be
    // stored inside a value, so it is stored as an apostrophe.
    static QByteArray encodeLine(const QString& value);

private:
    // Bytes of the line end at position (CR LF, LF or a lone CR); 0 if none.
    qsizetype lineEndLength(qsizetype position) const;

    std::unique_ptr<QSaveFile> m_writer;
    QByteArray m_pending;
    bool m_writing = false;
    QByteArray m_bytes;
    qsizetype m_position = 0;
    bool m_reading = false;
    QString m_error;
};
