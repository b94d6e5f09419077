#include "ScreenBackgroundView.h"

#include <QApplication>
#include <QLabel>
#include <QPalette>
#include <QPixmap>
#include <QWidget>

namespace ScreenBackgroundView {

QColor toQColor(qint32 stored)
{
    if (stored < 0)
        return QApplication::palette().color(QPalette::Window);
    return QColor(stored & 0xFF, (stored >> 8) & 0xFF, (stored >> 16) & 0xFF);
}

qint32 fromQColor(const QColor& colour)
{
    return colour.red() | (colour.green() << 8) | (colour.blue() << 16);
}

void show(const BackgroundSetting& background, const ProgramFolder& folder, QWidget& window,
    QLabel& image)
{
    if (background.isPicture()) {
        QPixmap picture;
        // A missing picture leaves the image empty; the window colour shows
        // through.
        if (picture.load(folder.filePath(background.pictureFileName())))
            image.setPixmap(picture);
        else
            image.clear();
        image.setScaledContents(true);
        fitImage(window, image);
        image.lower();
        image.show();
        return;
    }
    if (background.isColour()) {
        QPalette palette = window.palette();
        palette.setColor(QPalette::Window, toQColor(background.colourValue()));
        window.setPalette(palette);
        window.setAutoFillBackground(true);
    }
    image.hide();
}

void fitImage(QWidget& window, QLabel& image)
{
    image.setGeometry(0, 0, window.width(), window.height());
}

} // namespace ScreenBackgroundView
