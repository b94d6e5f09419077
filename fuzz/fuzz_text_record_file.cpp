// Feeds arbitrary bytes to the line-record reader: every read must stay inside
// the bytes, make progress, and fail only once nothing is left.
#include "storage/TextRecordFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TextRecordFile file;
    file.openBytes(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    QString value;
    std::size_t reads = 0;
    while (!file.atEnd()) {
        if (!file.readValue(value) || ++reads > size)
            std::abort(); // a read that fails or consumes nothing would loop forever
    }
    if (file.readValue(value))
        std::abort();
    return 0;
}
