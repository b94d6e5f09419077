#pragma once

#include <QByteArray>
#include <QImage>

// A JPEG as a camera stores it: an Exif block whose orientation tag says how
// the picture must be turned to be seen upright (6: a quarter to the right).
QByteArray jpegWithOrientation(const QImage& image, quint16 orientation);
