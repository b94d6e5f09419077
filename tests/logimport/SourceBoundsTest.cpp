#include "SourceLogText.h"

#include "logimport/AppleHealthXmlReader.h"
#include "logimport/BoundedXmlDevice.h"
#include "logimport/LogSource.h"
#include "logimport/OpenScaleCsvReader.h"
#include "logimport/SourceCsv.h"

#include <QIODevice>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

// A file that never ends: its head, then one byte for ever, as a node of
// gigabytes would read. A reader that kept the node whole would never
// return.
class EndlessDevice : public QIODevice
{
public:
    EndlessDevice(QByteArray head, char fill)
        : m_head(std::move(head))
        , m_fill(fill)
    {
        open(ReadOnly);
    }
    bool isSequential() const override { return true; }
    qint64 served() const { return m_served; }

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        const qint64 fromHead = std::clamp<qint64>(m_head.size() - m_served, 0, maxSize);
        std::memcpy(data, m_head.constData() + m_served, size_t(fromHead));
        std::memset(data + fromHead, m_fill, size_t(maxSize - fromHead));
        m_served += maxSize;
        return maxSize;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray m_head;
    char m_fill;
    qint64 m_served = 0;
};

const QByteArray ExportStart = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                               "<HealthData locale=\"en_US\">\n";

// Each node stops the reading a little past the bound, naming its line.
TEST(BoundedXmlDevice, StopsTheExportAtANodeLongerThanAnyItHolds)
{
    const struct {
        const char* node;
        QByteArray head;
        char fill;
    } cases[] = {
        { "an attribute",
            ExportStart + " <Record type=\"HKQuantityTypeIdentifierBodyMass\" sourceName=\"", 'a' },
        { "a text", ExportStart + " <Note>", 'a' },
        { "a comment", ExportStart + " <!-- ", ' ' },
    };
    for (const auto& c : cases) {
        EndlessDevice endless(c.head, c.fill);
        const SourceLog log = AppleHealthXmlReader::read(endless);
        EXPECT_EQ(log.error,
            "line 3: a tag or a text runs past 64 KiB, longer than any value an export holds; "
            "this is not a file the phone wrote")
            << c.node;
        EXPECT_LT(endless.served(), 4 * BoundedXmlDevice::SpanLimit) << c.node;
    }
}

// Detection streams past a DOCTYPE of any length, but not for ever.
TEST(BoundedXmlDevice, DetectionLooksNoFurtherThanTheFirstMegabyte)
{
    EndlessDevice endless("<?xml version=\"1.0\"?>\n<!DOCTYPE HealthData [\n", '\n');
    QString unreadable;
    EXPECT_EQ(LogSource::detect(endless, &unreadable), std::nullopt);
    EXPECT_EQ(unreadable, "an XML file without an element in its first megabyte");
    EXPECT_LE(endless.served(), LogSource::XmlHeadLimit + LogSource::HeadSize);
}

// One line of megabytes is refused by its line, and its message quotes
// the first characters only.
TEST(SourceCsv, RefusesAnOverLongCellByLineWithAShortMessage)
{
    const QByteArray csv = "\"dateTime\",\"weight\"\n\"2023-01-15 07:30\",80.4\n\""
        + QByteArray(8 * 1024 * 1024, '7') + "\",80.1\n\"2023-01-16 07:30\",80.2\n";
    const SourceLog log = OpenScaleCsvReader::read(csv);
    ASSERT_FALSE(log.failed()) << log.error.left(200).toStdString();
    EXPECT_EQ(weighInLines(log),
        QStringList({ "2: 2023-01-15 07:30 80.4 kg", "4: 2023-01-16 07:30 80.2 kg" }));
    ASSERT_EQ(refusedLines(log), QList<int>({ 3 }));
    EXPECT_EQ(log.refused.at(0).reason,
        "a cell holds more than 4096 characters, more than any export writes; the line reads \""
            + QString(60, u'7') + "...\"");
}

} // namespace
