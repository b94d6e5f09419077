// Writes arbitrary bytes to a file and reads records of every kind and a few
// lengths from it; a bad record must fail without touching its destination.
#include "storage/RecordFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void readEverything(const QString& path, int recordLength)
{
    RecordFile file(path, recordLength);
    RecordStructure structure({ { 60 }, { 60 }, { 210 }, { 5 } });
    RecordStructure small({ { 3, 2 }, { 1 } });
    for (int record = 0; record <= 8; ++record) {
        QString text = QStringLiteral("kept");
        if (!file.readText(record, text) && text != QStringLiteral("kept"))
            std::abort();
        if (text.size() > recordLength - 2 && text != QStringLiteral("kept"))
            std::abort();
        qint16 number = 0;
        file.readInt16(record, number);
        TaggedValue tagged = TaggedValue::fromInt32(7);
        if (!file.readTagged(record, tagged) && tagged != TaggedValue::fromInt32(7))
            std::abort();
        if (tagged.isText() && tagged.text().size() > recordLength - 4)
            std::abort();
        tagged.toInt32();
        file.readStructure(record, structure);
        file.readStructure(record, small);
        if (structure.encode().size() != 335 || small.encode().size() != 7)
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fuzz.fil"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    for (int recordLength : { 2, 4, 6, 10, 20, 335 })
        readEverything(path, recordLength);
    return 0;
}
