#include "ReadableCaption.h"

#include <QEvent>
#include <QLabel>

#include <cmath>

namespace {

// WCAG's relative luminance of a colour's sRGB channels.
double luminance(const QColor& colour)
{
    const auto linear = [](double channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    const QColor rgb = colour.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF())
        + 0.0722 * linear(rgb.blueF());
}

} // namespace

void ReadableCaption::keepReadable(QLabel* caption)
{
    new ReadableCaption(caption);
}

ReadableCaption::ReadableCaption(QLabel* caption)
    : QObject(caption)
    , m_caption(caption)
{
    caption->installEventFilter(this);
    follow();
}

double ReadableCaption::contrastRatio(const QColor& first, const QColor& second)
{
    const double a = luminance(first);
    const double b = luminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

QColor ReadableCaption::textColourOn(const QColor& background)
{
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    if (contrastRatio(black, background) >= MinimumContrast)
        return black;
    return contrastRatio(white, background) > contrastRatio(black, background) ? white : black;
}

bool ReadableCaption::eventFilter(QObject* watched, QEvent* event)
{
    // A new panel colour reaches the caption as a palette change.
    if (watched == m_caption
        && (event->type() == QEvent::PaletteChange || event->type() == QEvent::Show))
        follow();
    return QObject::eventFilter(watched, event);
}

void ReadableCaption::follow()
{
    QPalette palette = m_caption->palette();
    const QColor text = textColourOn(palette.color(QPalette::Window));
    if (palette.color(QPalette::WindowText) == text)
        return;
    palette.setColor(QPalette::WindowText, text);
    m_caption->setPalette(palette);
}
