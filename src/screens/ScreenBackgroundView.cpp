#include "ScreenBackgroundView.h"

#include "ScreenColour.h"

#include <QLabel>
#include <QPalette>
#include <QPixmap>
#include <QWidget>

namespace ScreenBackgroundView {

void show(const BackgroundSetting& background, const ProgramFolder& folder, QWidget& window,
    QLabel& image)
{
    if (background.isPicture()) {
        QPixmap picture;
        // A missing picture leaves the image empty; the window colour shows
        // through.
        if (picture.load(folder.shippedFilePath(background.pictureFileName())))
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
        palette.setColor(QPalette::Window, ScreenColour::toQColor(background.colourValue()));
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
