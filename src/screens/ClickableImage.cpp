#include "ClickableImage.h"

#include "screens/PictureFile.h"

#include <QImage>
#include <QMouseEvent>
#include <QPixmap>

ClickableImage::ClickableImage(Border border, QWidget* parent)
    : QLabel(parent)
{
    setScaledContents(true);
    if (border == Border::Single) {
        setFrameShape(QFrame::Box);
        setLineWidth(1);
    }
}

QImage ClickableImage::decode(const PictureFile& file, QSize size) const
{
    // Decoded for the display's own pixels, so that it stays sharp on a
    // display that scales.
    const qreal ratio = devicePixelRatioF();
    QImage image = file.read(size * ratio);
    image.setDevicePixelRatio(ratio);
    return image;
}

void ClickableImage::showImage(const QImage& image, QSize size)
{
    if (image.isNull()) {
        empty();
        return;
    }
    setPixmap(QPixmap::fromImage(image));
    setFixedSize(size);
}

bool ClickableImage::showPicture(const PictureFile& file, QSize size)
{
    const QImage image = decode(file, size);
    showImage(image, size);
    return !image.isNull();
}

void ClickableImage::empty()
{
    clear();
}

bool ClickableImage::holdsPicture() const
{
    return !pixmap().isNull();
}

void ClickableImage::mousePressEvent(QMouseEvent* event)
{
    m_pressed = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void ClickableImage::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton
        && rect().contains(event->position().toPoint());
    m_pressed = false;
    QLabel::mouseReleaseEvent(event);
    if (click)
        emit clicked();
}
