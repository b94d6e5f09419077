#include "TextRecordFile.h"

#include "FileWriting.h"
#include "Windows1252.h"

#include <QFile>

#include <utility>

namespace {

constexpr char quote = '"';
constexpr char comma = ',';
constexpr char carriageReturn = '\r';
constexpr char lineFeed = '\n';

} // namespace

TextRecordFile::TextRecordFile() = default;

// An unfinished QSaveFile discards its temporary file, so a writer that is
// never closed leaves the previous file as it was.
TextRecordFile::~TextRecordFile() = default;

bool TextRecordFile::openForWriting(const QString& filePath)
{
    close();
    m_error.clear();
    m_writing = true;
    m_pending.clear();
    m_writer = std::make_unique<QSaveFile>(filePath);
    if (!FileWriting::openForReplacement(*m_writer, &m_error)) {
        m_writer.reset();
        return false;
    }
    return true;
}

void TextRecordFile::writeValue(const QString& value)
{
    if (m_writer)
        m_pending.append(encodeLine(value));
}

void TextRecordFile::writeUnset()
{
    if (m_writer)
        m_pending.append("\r\n", 2);
}

QByteArray TextRecordFile::encodeLine(const QString& value)
{
    QByteArray bytes = Windows1252::encode(value);
    // A double quote inside the value would end it early on reading and shift
    // every later value of the file by one; an apostrophe keeps the file
    // readable and the text recognisable.
    bytes.replace(quote, '\'');
    bytes.prepend(quote);
    bytes.append(quote);
    bytes.append("\r\n", 2);
    return bytes;
}

bool TextRecordFile::openForReading(const QString& filePath)
{
    close();
    m_error.clear();
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly)) {
        m_error = file.errorString();
        return false;
    }
    openBytes(file.readAll());
    if (file.error() != QFileDevice::NoError) {
        m_error = file.errorString();
        m_reading = false;
        m_bytes.clear();
        return false;
    }
    return true;
}

void TextRecordFile::openBytes(QByteArray bytes)
{
    m_bytes = std::move(bytes);
    m_position = 0;
    m_reading = true;
}

bool TextRecordFile::atEnd() const
{
    return !m_reading || m_position >= m_bytes.size();
}

// A lone carriage return is taken as a line end as well. The program never
// writes one, but a file edited by hand may hold one, and treating it as an
// ordinary byte would glue two lines into one value.
qsizetype TextRecordFile::lineEndLength(qsizetype position) const
{
    if (position >= m_bytes.size())
        return 0;
    if (m_bytes[position] == lineFeed)
        return 1;
    if (m_bytes[position] == carriageReturn) {
        if (position + 1 < m_bytes.size() && m_bytes[position + 1] == lineFeed)
            return 2;
        return 1;
    }
    return 0;
}

bool TextRecordFile::readValue(QString& destination)
{
    if (atEnd())
        return false;

    const qsizetype size = m_bytes.size();
    qsizetype position = m_position;
    while (position < size && (m_bytes[position] == ' ' || m_bytes[position] == '\t'))
        ++position;

    if (position < size && m_bytes[position] == quote) {
        const qsizetype start = position + 1;
        qsizetype end = m_bytes.indexOf(quote, start);
        // A file cut off inside a quoted value: what is there is the value.
        if (end < 0)
            end = size;
        destination = Windows1252::decode(QByteArrayView(m_bytes).sliced(start, end - start));
        position = end < size ? end + 1 : size;
        while (position < size) {
            if (m_bytes[position] == comma) {
                ++position;
                break;
            }
            if (const qsizetype length = lineEndLength(position)) {
                position += length;
                break;
            }
            ++position;
        }
        m_position = position;
        return true;
    }

    const qsizetype start = position;
    while (position < size && m_bytes[position] != comma && lineEndLength(position) == 0)
        ++position;
    qsizetype end = position;
    while (end > start && m_bytes[end - 1] == ' ')
        --end;
    if (position < size)
        position += m_bytes[position] == comma ? 1 : lineEndLength(position);
    destination = Windows1252::decode(QByteArrayView(m_bytes).sliced(start, end - start));
    m_position = position;
    return true;
}

bool TextRecordFile::close()
{
    bool ok = true;
    if (m_writing) {
        if (!m_writer) {
            ok = false; // opening failed; m_error says why
        } else if (const Outcome outcome = FileWriting::commit(*m_writer, m_pending);
                   !outcome.succeeded) {
            m_error = outcome.reason;
            ok = false;
        }
        m_writer.reset();
        m_pending.clear();
        m_writing = false;
    }
    m_reading = false;
    m_bytes.clear();
    m_position = 0;
    return ok;
}

bool TextRecordFile::readAllValues(const QString& filePath, QStringList& values, QString* reason)
{
    values.clear();
    TextRecordFile file;
    if (!file.openForReading(filePath)) {
        if (reason)
            *reason = file.errorString();
        return false;
    }
    QString value;
    while (!file.atEnd() && file.readValue(value))
        values.append(value);
    return true;
}
