#include "CsvReader.h"

#include <QStringDecoder>

#include <algorithm>
#include <limits>

bool CsvReader::Record::isBlank() const
{
    for (const QString& field : fields) {
        if (!field.trimmed().isEmpty())
            return false;
    }
    return true;
}

namespace {

void report(QString* error, int line, const QString& reason)
{
    if (error)
        *error = QStringLiteral("line %1: %2").arg(line).arg(reason);
}

} // namespace

std::optional<QList<CsvReader::Record>> CsvReader::parse(
    const QByteArray& bytes, QString* error, qsizetype fieldLimit)
{
    const qsizetype limit = fieldLimit < 0 ? std::numeric_limits<qsizetype>::max() : fieldLimit;
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError()) {
        int line = 1;
        // Name the first line that holds a byte that is not UTF-8.
        const QList<QByteArray> lines = bytes.split('\n');
        for (int i = 0; i < lines.size(); ++i) {
            QStringDecoder probe(QStringDecoder::Utf8);
            const QString decoded = probe.decode(lines.at(i));
            if (probe.hasError()) {
                line = i + 1;
                break;
            }
        }
        report(error, line, QStringLiteral("the text is not UTF-8"));
        return std::nullopt;
    }
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);

    QList<Record> records;
    int line = 1;
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto atLineEnd = [&](qsizetype at) { return text.at(at) == u'\r' || text.at(at) == u'\n'; };
    auto skipLineEnd = [&]() {
        if (text.at(i) == u'\r' && i + 1 < n && text.at(i + 1) == u'\n')
            ++i;
        ++i;
        ++line;
    };

    while (i < n) {
        Record record;
        record.line = line;
        for (;;) {
            QString field;
            if (i < n && text.at(i) == u'"') {
                const int openedOn = line;
                ++i;
                for (;;) {
                    if (i >= n) {
                        report(error, openedOn, QStringLiteral("a quoted field is never closed"));
                        return std::nullopt;
                    }
                    const QChar c = text.at(i);
                    if (c == u'"') {
                        if (i + 1 < n && text.at(i + 1) == u'"') {
                            field += u'"';
                            i += 2;
                            continue;
                        }
                        ++i;
                        break;
                    }
                    if (c == u'\n' || (c == u'\r' && !(i + 1 < n && text.at(i + 1) == u'\n')))
                        ++line;
                    if (field.size() < limit)
                        field += c;
                    else
                        record.overLong = true;
                    ++i;
                }
                if (i < n && text.at(i) != u',' && !atLineEnd(i)) {
                    report(error, line, QStringLiteral("text follows a closing double quote"));
                    return std::nullopt;
                }
            } else {
                const qsizetype start = i;
                while (i < n && text.at(i) != u',' && !atLineEnd(i)) {
                    if (text.at(i) == u'"') {
                        report(error, line,
                            QStringLiteral("a double quote inside a field that does not start "
                                           "with one"));
                        return std::nullopt;
                    }
                    ++i;
                }
                field = text.mid(start, std::min(i - start, limit));
                if (i - start > limit)
                    record.overLong = true;
            }
            record.fields.append(field);
            if (i < n && text.at(i) == u',') {
                ++i;
                continue;
            }
            break;
        }
        if (i < n)
            skipLineEnd();
        records.append(record);
    }
    return records;
}
