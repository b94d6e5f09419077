#include "PictureFile.h"

#include <QFileInfo>
#include <QImageIOHandler>
#include <QImageReader>

#include <utility>

namespace {

bool turnsSideways(QImageIOHandler::Transformations transformation)
{
    return transformation.testFlag(QImageIOHandler::TransformationRotate90);
}

} // namespace

PictureFile::PictureFile(QString path)
    : m_path(std::move(path))
{ }

bool PictureFile::isReadable() const
{
    // A pipe or a device named as a picture would block the reader for
    // ever; only a regular file is opened.
    return !m_path.isEmpty() && QFileInfo(m_path).isFile();
}

QSize PictureFile::naturalSize() const
{
    if (!isReadable())
        return {};
    QImageReader reader(m_path);
    reader.setDecideFormatFromContent(true);
    QSize size = reader.size();
    if (!size.isValid() || size.isEmpty())
        return {};
    // The header gives the size as stored; a photo taken with the camera
    // turned is stored sideways.
    if (turnsSideways(reader.transformation()))
        size.transpose();
    return size;
}

QImage PictureFile::read(QSize shownSize) const
{
    if (!isReadable() || shownSize.isEmpty())
        return {};
    QImageReader reader(m_path);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(true);
    // The reader scales the picture as stored, before turning it upright.
    if (turnsSideways(reader.transformation()))
        shownSize.transpose();
    reader.setScaledSize(shownSize);
    return reader.read();
}
