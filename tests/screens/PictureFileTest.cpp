#include "OrientedJpeg.h"

#include "screens/PictureFile.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class PictureFileTest : public ::testing::Test
{
protected:
    QString write(const QString& name, const QByteArray& bytes)
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    QTemporaryDir m_dir;
};

TEST_F(PictureFileTest, SizesAreThoseOfThePictureSeenUpright)
{
    // Stored 300 wide and 200 high, left half red: turned a quarter to the
    // right (orientation 6) it is 200 wide, 300 high, red on top.
    QImage stored(300, 200, QImage::Format_RGB32);
    stored.fill(Qt::blue);
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 150; ++x)
            stored.setPixel(x, y, qRgb(255, 0, 0));

    struct Case {
        const char* name;
        quint16 orientation;
        QSize upright;
        QPoint redPoint; // in a 100 by 150 (or 150 by 100) reading
    };
    const Case cases[] = {
        { "as stored", 1, { 300, 200 }, { 10, 50 } },
        { "turned a quarter", 6, { 200, 300 }, { 50, 10 } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PictureFile file(write(QString::fromLatin1(c.name) + QStringLiteral(".jpg"),
            jpegWithOrientation(stored, c.orientation)));
        EXPECT_EQ(file.naturalSize(), c.upright);
        const QSize shown = c.upright / 2;
        const QImage image = file.read(shown);
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), shown);
        EXPECT_GT(qRed(image.pixel(c.redPoint)), 200);
        EXPECT_LT(qBlue(image.pixel(c.redPoint)), 60);
    }
}

TEST_F(PictureFileTest, WhatIsNotAPictureHasNoSize)
{
    const QString cases[] = {
        write(QStringLiteral("notes.jpg"), "shopping list"),
        write(QStringLiteral("empty.gif"), QByteArray()),
        m_dir.filePath(QStringLiteral("missing.jpg")),
        QString(),
    };
    for (const QString& path : cases) {
        SCOPED_TRACE(path.toStdString());
        const PictureFile file(path);
        EXPECT_FALSE(file.naturalSize().isValid());
        EXPECT_TRUE(file.read(QSize(50, 40)).isNull());
    }
}

} // namespace
