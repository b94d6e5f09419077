#include "DataToolProcess.h"
#include "TemporaryProgramFolder.h"
#include "ZipBuilder.h"

#include <QElapsedTimer>
#include <QFile>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <zlib.h>

namespace {

// halvorn-data under an address-space limit of 2 GiB, as the machine of a
// small household may be; the sanitizers reserve far more than that for
// themselves, so their builds run it without.
DataToolRun runLimited(const QStringList& arguments)
{
#if defined(__SANITIZE_ADDRESS__)
    return runDataTool(arguments);
#else
    return runDataTool(
        QStringList { "--as=2147483648", QStringLiteral(HALVORN_DATA_PATH) } + arguments,
        QStringLiteral("prlimit"));
#endif
}

// The phone's export.zip whose export.xml holds a text node of 4 GiB of
// one letter, in an archive of a few megabytes. Deflate blocks flushed to
// a byte boundary after a window full of the letter unpack alike wherever
// they stand, so one block is made and repeated.
QByteArray archiveWithAHugeNode()
{
    const QByteArray head = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                            "<HealthData locale=\"en_US\">\n <Note>";
    const QByteArray letters(1024 * 1024, 'a');
    constexpr int Blocks = 4096;
    z_stream stream {};
    deflateInit2(&stream, Z_BEST_SPEED, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    const auto pack = [&](const QByteArray& input, int flush) {
        QByteArray out(qsizetype(deflateBound(&stream, uLong(input.size()))) + 64, '\0');
        stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(input.constData()));
        stream.avail_in = uInt(input.size());
        stream.next_out = reinterpret_cast<Bytef*>(out.data());
        stream.avail_out = uInt(out.size());
        ::deflate(&stream, flush);
        out.resize(out.size() - qsizetype(stream.avail_out));
        return out;
    };
    QByteArray packed = pack(head + letters, Z_SYNC_FLUSH);
    const QByteArray block = pack(letters, Z_SYNC_FLUSH);
    for (int i = 0; i < Blocks; ++i)
        packed += block;
    packed += pack({}, Z_FINISH);
    deflateEnd(&stream);

    ZipBuilder::File file("apple_health_export/export.xml", {});
    file.stored = packed;
    file.zip64 = true;
    file.crc = 0;
    file.size = quint64(head.size()) + quint64(Blocks + 1) * quint64(letters.size());
    return ZipBuilder().add(file).zip64End().build();
}

// Each is refused at once with what it is; nothing is written and
// nothing waits: a pipe without a writer, a device without an end, a
// folder, an archive whose one node would fill the memory, a year and a
// weight past any a log holds, a line of megabytes.
TEST(DataToolLogImport, RefusesHostileFilesAtOnce)
{
    TemporaryProgramFolder folder;
    TemporaryProgramFolder elsewhere;
    ASSERT_EQ(::mkfifo(QFile::encodeName(elsewhere.filePath("pipe.csv")).constData(), 0600), 0);
    elsewhere.write("huge-node.zip", archiveWithAHugeNode());
    elsewhere.write("far.csv", "dateTime,weight\n9999-01-15 07:30,80\n1899-12-31 07:30,80\n");
    elsewhere.write("heavy.csv", "dateTime,weight\n2023-01-15 07:30,99999999999\n");
    elsewhere.write(
        "long-line.csv", "dateTime,weight\n" + QByteArray(20 * 1024 * 1024, '8') + ",80\n");
    elsewhere.write("page.html", "<!DOCTYPE html>\n<html><body>weights</body></html>\n");
    const struct {
        const char* what;
        QString path;
        QStringList errors;
    } cases[] = {
        { "a pipe", elsewhere.filePath("pipe.csv"),
            { "pipe.csv: a pipe, not a file; save the export to a file first" } },
        { "a device", "/dev/zero", { "/dev/zero: a device, not a file" } },
        { "a folder", elsewhere.path(), { ": a folder, not a file" } },
        { "a node of gigabytes", elsewhere.filePath("huge-node.zip"),
            { "huge-node.zip: line 3: a tag or a text runs past 64 KiB" } },
        { "dates", elsewhere.filePath("far.csv"),
            { "far.csv: line 2: the date 9999-01-15 is not between 1900 and ",
                "far.csv: line 3: the date 1899-12-31 is not between 1900 and " } },
        { "a weight", elsewhere.filePath("heavy.csv"),
            { "heavy.csv: line 2: the weight \"99999999999\" kg is more than the log's weight "
              "box takes (999.9)" } },
        { "a long line", elsewhere.filePath("long-line.csv"),
            { "long-line.csv: line 2: a cell holds more than 4096 characters, more than any "
              "export writes; the line reads \""
                + QString(60, u'8') + "...\"\n" } },
        { "a web page", elsewhere.filePath("page.html"),
            { "page.html: not a file Halvorn can read (an XML file whose first element is "
              "<html>, not the phone's health export)" } },
    };
    for (const auto& c : cases) {
        QElapsedTimer timer;
        timer.start();
        const DataToolRun run
            = runLimited({ "import", "weight", "Eve", c.path, "--dir", folder.path() });
        EXPECT_EQ(run.exitCode, 1) << c.what << ": " << run.errText().left(500).toStdString();
        for (const QString& error : c.errors)
            EXPECT_TRUE(run.errText().contains(error))
                << c.what << ": " << run.errText().left(500).toStdString();
        // A message quotes no more of a line than its first characters.
        EXPECT_LT(run.err.size(), 2000) << c.what;
        EXPECT_LT(timer.elapsed(), 20000) << c.what;
    }
    EXPECT_TRUE(folderContents(folder.path()).isEmpty());
}

} // namespace
