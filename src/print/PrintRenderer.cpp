#include "PrintRenderer.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <QPen>

#include <algorithm>

namespace {

// The guide lines mark where a home printer's unprintable border usually
// starts, and the page's middle, which the reports centre their titles on.
constexpr qreal GuideInset = 360;
constexpr qreal TwipsPerPoint = 20;
const QColor GuideColour(160, 160, 160);

template <class... Visitors> struct Overloaded : Visitors... {
    using Visitors::operator()...;
};

void paintGuideLines(const PrintDocument& document, QPainter& painter)
{
    const qreal width = document.pageWidth();
    const qreal height = document.pageHeight();
    painter.save();
    QPen pen(GuideColour, 0, Qt::DashLine);
    pen.setCosmetic(true);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(
        QRectF(GuideInset, GuideInset, width - 2 * GuideInset, height - 2 * GuideInset));
    painter.drawLine(QLineF(width / 2, GuideInset, width / 2, height - GuideInset));
    painter.restore();
}

QPen solidPen(qreal width)
{
    QPen pen(Qt::black, width);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

} // namespace

void PrintRenderer::paintPage(
    const PrintDocument& document, int index, QPainter& painter, bool guideLines)
{
    for (const PrintItem& item : document.page(index)) {
        std::visit(Overloaded {
                       [&](const PrintText& text) {
                           painter.setFont(text.font);
                           painter.setPen(text.colour);
                           painter.drawText(text.baseline, text.text);
                       },
                       [&](const PrintLine& line) {
                           painter.setPen(solidPen(line.penWidth));
                           painter.drawLine(line.line);
                       },
                       [&](const PrintRectangle& rectangle) {
                           const qreal half = rectangle.penWidth / 2;
                           painter.setPen(solidPen(rectangle.penWidth));
                           painter.setBrush(Qt::NoBrush);
                           painter.drawRect(rectangle.rect.adjusted(half, half, -half, -half));
                       },
                       [&](const PrintPicture& picture) {
                           const QRectF target = picture.target();
                           if (!target.isEmpty())
                               painter.drawImage(target, picture.image);
                       },
                   },
            item);
    }
    if (guideLines)
        paintGuideLines(document, painter);
}

Outcome PrintRenderer::render(
    const PrintDocument& document, QPagedPaintDevice& device, const Options& options)
{
    device.setPageLayout(document.pageLayout());
    QPainter painter;
    if (!painter.begin(&device))
        return Outcome::failed(QStringLiteral("The printer could not be opened."));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.scale(device.logicalDpiX() / PrintDocument::TwipsPerInch,
        device.logicalDpiY() / PrintDocument::TwipsPerInch);
    if (options.fitToPrintableArea) {
        QPageLayout layout = device.pageLayout();
        layout.setUnits(QPageLayout::Point);
        const QMarginsF unprintable = layout.minimumMargins() * TwipsPerPoint;
        const QSizeF paper = layout.fullRectPoints().size() * TwipsPerPoint;
        const QRectF printable = QRectF(QPointF(0, 0), paper).marginsRemoved(unprintable);
        painter.setTransform(fitToPrintable(paper, printable), true);
    }

    const int first = qBound(1, options.firstPage, document.pageCount());
    const int last = options.lastPage <= 0 ? document.pageCount()
                                           : qBound(first, options.lastPage, document.pageCount());
    bool firstSheet = true;
    for (int copy = 0; copy < qMax(1, options.copies); ++copy) {
        for (int page = first; page <= last; ++page) {
            if (!firstSheet && !device.newPage()) {
                painter.end();
                return Outcome::failed(QStringLiteral("The printer refused a new page."));
            }
            firstSheet = false;
            paintPage(document, page - 1, painter, options.guideLines);
        }
    }
    if (!painter.end())
        return Outcome::failed(QStringLiteral("The printer could not finish the document."));
    return Outcome::success();
}

QTransform PrintRenderer::fitToPrintable(const QSizeF& pageSize, const QRectF& printable)
{
    if (pageSize.isEmpty() || printable.isEmpty())
        return {};
    const qreal scale = std::min(
        { 1.0, printable.width() / pageSize.width(), printable.height() / pageSize.height() });
    const QSizeF shown = pageSize * scale;
    QTransform transform;
    transform.translate(printable.left() + (printable.width() - shown.width()) / 2,
        printable.top() + (printable.height() - shown.height()) / 2);
    transform.scale(scale, scale);
    return transform;
}

QImage PrintRenderer::pageImage(const PrintDocument& document, int index, int dotsPerInch)
{
    const qreal scale = dotsPerInch / PrintDocument::TwipsPerInch;
    QImage image(qRound(document.pageWidth() * scale), qRound(document.pageHeight() * scale),
        QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(dotsPerInch / 0.0254));
    image.setDotsPerMeterY(qRound(dotsPerInch / 0.0254));
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.scale(scale, scale);
    paintPage(document, index, painter);
    return image;
}
