#include "PrintDocument.h"

#include <QLocale>
#include <QMarginsF>
#include <QPageSize>

#include <utility>

QRectF PrintPicture::target() const
{
    if (image.isNull() || box.isEmpty())
        return QRectF();
    QSizeF size = image.size();
    size.scale(box.size(), Qt::KeepAspectRatio);
    QRectF fitted(QPointF(0, 0), size);
    fitted.moveCenter(box.center());
    return fitted;
}

PrintDocument::PrintDocument()
    : PrintDocument(paperLayout(QPageSize(QPageSize::Letter)))
{ }

PrintDocument::PrintDocument(const QPageLayout& layout, QString title)
    : m_layout(layout)
    , m_title(std::move(title))
{
    addPage();
}

QPageSize PrintDocument::defaultPaper()
{
    return QPageSize(QLocale().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter
                                                                                : QPageSize::A4);
}

QPageLayout PrintDocument::paperLayout(const QPageSize& paper, QPageLayout::Orientation orientation)
{
    return QPageLayout(paper, orientation, QMarginsF(0, 0, 0, 0), QPageLayout::Point);
}

namespace {

constexpr qreal TwipsPerPoint = 20;

} // namespace

// Whole points, as the PDF writer and the printers size their pages (A4 is
// 595 by 842 points there), so that the layout and the sheet agree.
qreal PrintDocument::pageWidth() const
{
    return m_layout.fullRectPoints().width() * TwipsPerPoint;
}

qreal PrintDocument::pageHeight() const
{
    return m_layout.fullRectPoints().height() * TwipsPerPoint;
}

QStringList PrintDocument::texts(int index) const
{
    QStringList texts;
    for (const PrintItem& item : page(index)) {
        if (const auto* text = std::get_if<PrintText>(&item))
            texts.append(text->text);
    }
    return texts;
}

QString PrintDocument::titleFor(const QString& name, const QString& report)
{
    const QString trimmed = name.trimmed();
    return trimmed.isEmpty() ? report : trimmed + QLatin1Char(' ') + report;
}
