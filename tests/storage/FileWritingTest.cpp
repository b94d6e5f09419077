#include "storage/FileWriting.h"
#include "storage/TextRecordFile.h"

#include "FailDevice.h"
#include "FailingSaves.h"
#include "TemporaryProgramFolder.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

const QString diskFull = QStringLiteral("the disk may be full");

// Qt gives a short count and no error text when a disk fills part-way; the
// user must still read why the file was not written.
TEST(FileWriting, AShortWriteIsReportedInPlainWords)
{
    struct Case {
        qint64 room;
        qint64 size;
        QString reason;
    };
    const QList<Case> cases {
        { 12288, 40960, "only 12,288 of 40,960 bytes could be written; the disk may be full" },
        { 0, 10, "No space left on device" },
        { 10, 10, "" },
    };
    for (const Case& c : cases) {
        QBuffer target;
        target.open(QIODevice::WriteOnly);
        FailDevice device(&target, c.room);
        const Outcome outcome = FileWriting::writeAll(device, "Ann.Fil", QByteArray(c.size, 'x'));
        EXPECT_EQ(outcome.succeeded, c.reason.isEmpty()) << c.room;
        EXPECT_EQ(outcome.reason, c.reason);
        EXPECT_EQ(outcome.fileName, outcome.succeeded ? QString() : QStringLiteral("Ann.Fil"));
        EXPECT_EQ(target.data().size(), qMin(c.room, c.size));
    }
}

TEST(FileWriting, AFailedReplacementLeavesThePreviousFileAloneAndNothingBeside)
{
    TemporaryProgramFolder temp;
    temp.write("ann.csv", "earlier\n");
    Outcome outcome;
    {
        FailingSaves saves(4096);
        outcome = FileWriting::replaceFile(temp.filePath("ann.csv"), QByteArray(10000, 'x'));
    }
    EXPECT_FALSE(outcome.succeeded);
    EXPECT_EQ(outcome.fileName, "ann.csv");
    EXPECT_EQ(outcome.reason, "only 4,096 of 10,000 bytes could be written; " + diskFull);
    EXPECT_EQ(temp.read("ann.csv"), "earlier\n");
    EXPECT_EQ(QDir(temp.path()).entryList(QDir::Files), QStringList { "ann.csv" });

    ASSERT_TRUE(FileWriting::replaceFile(
        temp.filePath("ann.csv"), "now\n", QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    EXPECT_EQ(temp.read("ann.csv"), "now\n");
    EXPECT_EQ(QFileInfo(temp.filePath("ann.csv")).permissions()
            & (QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ReadOther
                | QFileDevice::WriteOther),
        0);
}

// The line-record file writes its lines at close(), so the short count is
// that of the whole file.
TEST(FileWriting, ALineRecordFileCutShortSaysHowMuchWasWritten)
{
    TemporaryProgramFolder temp;
    temp.write("Names.Fil", "\"old\"\r\n");
    TextRecordFile writer;
    ASSERT_TRUE(writer.openForWriting(temp.filePath("Names.Fil")));
    for (int i = 0; i < 20; ++i)
        writer.writeValue(QString(8, 'x')); // 12 bytes a line
    FailingSaves saves(100);
    EXPECT_FALSE(writer.close());
    EXPECT_EQ(writer.errorString(), "only 100 of 240 bytes could be written; " + diskFull);
    EXPECT_EQ(temp.read("Names.Fil"), "\"old\"\r\n");
}

} // namespace
