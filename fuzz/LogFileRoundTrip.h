#pragma once

#include "FuzzFolder.h"

#include "storage/TextRecordFile.h"

#include <optional>

// The checks a tracker's data file must pass, whatever bytes it holds: it
// loads with every row it stores (a half row included, and said so), and a
// save followed by a load keeps every row. A value that holds a double quote
// (only an unquoted value can) is stored with an apostrophe instead, so the
// first save may change values, but nothing after that.
template <typename File, typename Load, typename Save>
void checkLogFileRoundTrip(const FuzzFolder& scratch, const QString& fileName, QByteArrayView bytes,
    int headerLines, int linesPerRow, Load load, Save save)
{
    scratch.write(fileName, bytes);
    QStringList values;
    TextRecordFile::readAllValues(scratch.folder().filePath(fileName), values);
    const qsizetype rowLines = qMax<qsizetype>(values.size() - headerLines, 0);

    std::optional<File> loaded = load(scratch.folder());
    if (!loaded || loaded->rows.size() != loaded->rowCount - 1
        || loaded->rows.size() < (rowLines + linesPerRow - 1) / linesPerRow
        || (loaded->cutShortRow != 0) != (rowLines % linesPerRow != 0)
        || (loaded->cutShortRow != 0
            && loaded->cutShortRow != (rowLines + linesPerRow - 1) / linesPerRow))
        std::abort();

    if (!save(*loaded, scratch.folder()))
        std::abort();
    std::optional<File> again = load(scratch.folder());
    if (!again || again->rows.size() != loaded->rows.size() || again->cutShortRow)
        std::abort();
    if (!save(*again, scratch.folder()) || load(scratch.folder()) != again)
        std::abort();
}
