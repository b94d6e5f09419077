// Reads arbitrary bytes as the password keeper's two files: the first two
// bytes give the length of the index (Secfile1.Fil), the rest is the entries
// file (Secfile2.fil). Every item must read, the free-record search must
// give a record that is free, and the snapshot the tool reads must agree
// with the keeper's own reading.
#include "FuzzFolder.h"

#include "datatool/PasswordSnapshot.h"
#include "passwords/PasswordFiles.h"

#include <QRandomGenerator>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const FuzzFolder scratch;
    if (size < 2)
        return 0;
    const QByteArrayView bytes = FuzzFolder::bytes(data, size).sliced(2);
    const qsizetype indexLength = qMin<qsizetype>(data[0] | (data[1] << 8), bytes.size());
    scratch.write(PasswordFiles::IndexFileName, bytes.first(indexLength));
    scratch.write(PasswordFiles::EntriesFileName, bytes.sliced(indexLength));

    PasswordSnapshot snapshot;
    if (!snapshot.load(scratch.folder()))
        std::abort();
    QRandomGenerator random(1);
    const PasswordFiles files(scratch.folder(), &random);
    const QStringList items = files.LoadIndex();
    if (items != snapshot.items())
        std::abort();
    // An item without a record number names no record; every other item
    // reads, and as the tool reads it.
    for (const QString& item : items) {
        const std::optional<PasswordEntry> entry = files.loadEntry(item);
        if (entry.has_value() != (IndexItem(item).recordNumber() >= 1)
            || (entry && *entry != snapshot.entry(item)))
            std::abort();
    }
    if (const std::optional<int> free = files.FindFreeRecord()) {
        const std::optional<PasswordRecord> record = files.readRecord(*free);
        if (*free < 1 || *free > PasswordFiles::MaximumRecords || !record || record->isInUse())
            std::abort();
    }
    return 0;
}
