#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Reads CSV as RFC 4180 defines it, UTF-8 with or without a byte-order mark.
// Line ends may be CR LF, LF or CR, since spreadsheets on every desktop save
// them differently. Every record keeps the line on which it starts, so a bad
// row can be named by the line a user sees in an editor.
//
// A syntax fault (an unclosed quote, text after a closing quote, a quote
// inside an unquoted field, bytes that are not UTF-8) refuses the whole
// text: after it no later record can be told apart reliably.
class CsvReader
{
public:
    struct Record {
        int line = 0;
        QStringList fields;
        // A field ran past the limit parse() was given; it holds its first
        // characters only, and the record is the reader's to refuse.
        bool overLong = false;
        bool isBlank() const;
    };

    // The records in order; nothing, and the reason naming its line, on a
    // syntax fault. A field longer than fieldLimit characters (when one is
    // given) is cut there and its record marked, so that one odd line can
    // neither fill the memory nor a message.
    static std::optional<QList<Record>> parse(
        const QByteArray& bytes, QString* error = nullptr, qsizetype fieldLimit = -1);
};
