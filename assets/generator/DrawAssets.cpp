// Draws the pictures the program ships with: the three trend faces, the
// sixteen background pictures and the program's picture; and, asked for
// icons, the program's picture at the desktop's icon sizes. All are the
// project's own drawings, made at build time.

#include <QColor>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QStringList>

#include <cmath>
#include <cstdio>

namespace {

enum class Mood { Sad, Smile, Beaming };

// A round face: Sad1 (no loss), 1 (a small loss), 2 (a large loss or the
// goal reached).
QImage drawFace(Mood mood, int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);

    const QColor fill = mood == Mood::Sad ? QColor(150, 170, 210)
        : mood == Mood::Smile             ? QColor(255, 215, 60)
                                          : QColor(110, 200, 90);
    QRadialGradient shade(QPointF(12, 10), 22);
    shade.setColorAt(0, fill.lighter(130));
    shade.setColorAt(1, fill.darker(115));
    painter.setPen(QPen(QColor(60, 60, 60), 1.5));
    painter.setBrush(shade);
    painter.drawEllipse(QRectF(2, 2, 28, 28));

    painter.setBrush(QColor(40, 40, 40));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QRectF(10, 10, 3.5, 4.5));
    painter.drawEllipse(QRectF(18.5, 10, 3.5, 4.5));

    QPainterPath mouth;
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(40, 40, 40), 2, Qt::SolidLine, Qt::RoundCap));
    switch (mood) {
    case Mood::Sad:
        mouth.moveTo(10, 23);
        mouth.quadTo(16, 17, 22, 23);
        painter.drawPath(mouth);
        break;
    case Mood::Smile:
        mouth.moveTo(10, 19);
        mouth.quadTo(16, 25, 22, 19);
        painter.drawPath(mouth);
        break;
    case Mood::Beaming:
        mouth.moveTo(9, 18);
        mouth.quadTo(16, 29, 23, 18);
        mouth.closeSubpath();
        painter.setBrush(QColor(255, 255, 255));
        painter.drawPath(mouth);
        break;
    }
    return image;
}

QColor mix(const QColor& a, const QColor& b, double t)
{
    return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * t,
        a.greenF() + (b.greenF() - a.greenF()) * t, a.blueF() + (b.blueF() - a.blueF()) * t);
}

// Sixteen calm backgrounds: gradients, stripes, checks, rings and waves in
// different colours.
QImage drawBackground(int number)
{
    const int width = 800;
    const int height = 600;
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    static const QColor palettes[16][2] = {
        { QColor(20, 60, 120), QColor(120, 180, 230) },
        { QColor(30, 90, 50), QColor(170, 220, 150) },
        { QColor(120, 40, 40), QColor(240, 170, 120) },
        { QColor(70, 40, 110), QColor(200, 170, 230) },
        { QColor(10, 90, 100), QColor(140, 220, 210) },
        { QColor(110, 80, 30), QColor(240, 220, 150) },
        { QColor(40, 40, 60), QColor(140, 150, 180) },
        { QColor(150, 60, 90), QColor(250, 200, 210) },
        { QColor(20, 70, 90), QColor(230, 240, 250) },
        { QColor(60, 100, 30), QColor(250, 240, 170) },
        { QColor(90, 30, 20), QColor(220, 120, 60) },
        { QColor(30, 30, 90), QColor(90, 160, 210) },
        { QColor(50, 80, 80), QColor(190, 210, 200) },
        { QColor(100, 70, 120), QColor(240, 210, 160) },
        { QColor(10, 40, 70), QColor(60, 150, 160) },
        { QColor(80, 80, 80), QColor(220, 220, 210) },
    };
    const QColor dark = palettes[number - 1][0];
    const QColor light = palettes[number - 1][1];

    QLinearGradient base(0, 0, number % 2 == 0 ? width : 0, height);
    base.setColorAt(0, dark);
    base.setColorAt(1, light);
    painter.fillRect(image.rect(), base);

    const int pattern = (number - 1) % 4;
    painter.setPen(Qt::NoPen);
    if (pattern == 1) {
        for (int x = -height; x < width; x += 40) {
            painter.setBrush(QColor(255, 255, 255, 28));
            painter.drawPolygon(QPolygon({ QPoint(x, height), QPoint(x + 20, height),
                QPoint(x + 20 + height, 0), QPoint(x + height, 0) }));
        }
    } else if (pattern == 2) {
        for (int y = 0; y < height; y += 50)
            for (int x = (y / 50) % 2 * 50; x < width; x += 100)
                painter.fillRect(x, y, 50, 50, QColor(255, 255, 255, 24));
    } else if (pattern == 3) {
        painter.setBrush(Qt::NoBrush);
        for (int r = 40; r < 900; r += 45) {
            painter.setPen(QPen(mix(light, Qt::white, 0.5), 6));
            painter.setOpacity(0.18);
            painter.drawEllipse(QPoint(width / 4 + number * 20, height / 3), r, r);
        }
        painter.setOpacity(1);
    }
    if (number > 8) {
        // The second half adds soft waves across the lower part.
        for (int band = 0; band < 4; ++band) {
            QPainterPath wave;
            const double waterline = height * (0.55 + band * 0.12);
            wave.moveTo(0, height);
            for (int x = 0; x <= width; x += 10)
                wave.lineTo(x, waterline + 18 * std::sin((x / 120.0) + band + number));
            wave.lineTo(width, height);
            wave.closeSubpath();
            painter.setPen(Qt::NoPen);
            painter.setBrush(QColor(255, 255, 255, 22));
            painter.drawPath(wave);
        }
    }
    return image;
}

// The program's picture: a heart with a pulse line over a set of scales'
// platform, on a blue tile. Drawn on a 256-unit square scaled to the size
// asked for, so that every icon size is drawn rather than resampled. The
// scalable icon (icons/org.halvorn.halvorn.svg) is the same drawing.
QImage drawProgramPicture(int pixels = 256)
{
    const int size = 256;
    QImage image(pixels, pixels, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(pixels / double(size), pixels / double(size));

    QLinearGradient tile(0, 0, 0, size);
    tile.setColorAt(0, QColor(50, 110, 200));
    tile.setColorAt(1, QColor(20, 50, 120));
    painter.setPen(Qt::NoPen);
    painter.setBrush(tile);
    painter.drawRoundedRect(QRectF(8, 8, size - 16, size - 16), 40, 40);

    QPainterPath heart;
    heart.moveTo(128, 206);
    heart.cubicTo(40, 150, 40, 60, 94, 60);
    heart.cubicTo(114, 60, 124, 72, 128, 86);
    heart.cubicTo(132, 72, 142, 60, 162, 60);
    heart.cubicTo(216, 60, 216, 150, 128, 206);
    painter.setBrush(QColor(225, 50, 60));
    painter.drawPath(heart);

    painter.setPen(QPen(Qt::white, 9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(QPolygon({ QPoint(40, 128), QPoint(92, 128), QPoint(108, 96),
        QPoint(128, 164), QPoint(146, 112), QPoint(158, 128), QPoint(216, 128) }));

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(235, 240, 250));
    painter.drawRoundedRect(QRectF(64, 216, 128, 16), 6, 6);
    return image;
}

bool save(
    const QImage& image, const QDir& dir, const QString& name, const char* format, int quality = -1)
{
    const QString path = dir.filePath(name);
    if (!image.save(path, format, quality)) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

// The hicolor theme's layout: NAME.png in SIZExSIZE/apps below the folder.
bool saveIcons(const QString& iconName, const QDir& themeFolder)
{
    bool ok = true;
    for (const int pixels : { 16, 22, 24, 32, 48, 64, 128, 256, 512 }) {
        const QString sizeFolder = QStringLiteral("%1x%1/apps").arg(pixels);
        if (!themeFolder.mkpath(sizeFolder)) {
            std::fprintf(
                stderr, "could not create %s\n", qPrintable(themeFolder.filePath(sizeFolder)));
            return false;
        }
        ok &= save(drawProgramPicture(pixels), QDir(themeFolder.filePath(sizeFolder)),
            iconName + QStringLiteral(".png"), "PNG");
    }
    return ok;
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() == 4 && arguments.at(1) == u"--icons")
        return saveIcons(arguments.at(2), QDir(arguments.at(3))) ? 0 : 1;
    if (arguments.size() != 2) {
        std::fprintf(stderr,
            "usage: DrawAssets OUTPUT_FOLDER\n"
            "       DrawAssets --icons ICON_NAME THEME_FOLDER\n");
        return 2;
    }
    const QDir dir(arguments.at(1));
    if (!dir.exists() && !QDir().mkpath(dir.path()))
        return 1;

    bool ok = true;
    ok &= save(drawFace(Mood::Sad, 32), dir, QStringLiteral("Sad1.ico"), "ICO");
    ok &= save(drawFace(Mood::Smile, 32), dir, QStringLiteral("1.ico"), "ICO");
    ok &= save(drawFace(Mood::Beaming, 32), dir, QStringLiteral("2.ico"), "ICO");
    for (int number = 1; number <= 16; ++number)
        ok &= save(drawBackground(number), dir, QStringLiteral("WP%1.jpg").arg(number), "JPG", 90);
    ok &= save(drawProgramPicture(), dir, QStringLiteral("Halvorn.png"), "PNG");
    return ok ? 0 : 1;
}
