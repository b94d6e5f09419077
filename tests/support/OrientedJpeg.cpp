#include "OrientedJpeg.h"

#include <QBuffer>

QByteArray jpegWithOrientation(const QImage& image, quint16 orientation)
{
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG");
    // APP1: "Exif", a big-endian TIFF header and one directory entry
    // (0x0112, SHORT, count 1).
    QByteArray exif = QByteArray::fromHex("FFE10022"
                                          "457869660000"
                                          "4D4D002A00000008"
                                          "0001"
                                          "011200030000000100000000"
                                          "00000000");
    exif[28] = char(orientation >> 8);
    exif[29] = char(orientation & 0xFF);
    jpeg.insert(2, exif);
    return jpeg;
}
