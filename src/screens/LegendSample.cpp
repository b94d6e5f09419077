#include "screens/LegendSample.h"

#include "screens/ScreenColour.h"

#include <QPainter>

namespace {

constexpr int MarkDiameter = 9;

} // namespace

LegendSample::LegendSample(const GraphSeries& look, QWidget* parent)
    : QWidget(parent)
    , m_look(look)
{
    m_look.values.clear();
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAccessibleDescription(m_look.pointColour ? QStringLiteral("a line marked at each point")
                                                : QStringLiteral("a plain line"));
}

QSize LegendSample::sizeHint() const
{
    return { 48, std::max(MarkDiameter, m_look.lineWidth) + 4 };
}

void LegendSample::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal middle = height() / 2.0;
    const qreal inset = MarkDiameter / 2.0 + 1;
    painter.setPen(QPen(
        ScreenColour::toQColor(m_look.lineColour), m_look.lineWidth, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(inset, middle), QPointF(width() - inset, middle));
    if (!m_look.pointColour)
        return;
    const QColor mark = ScreenColour::toQColor(*m_look.pointColour);
    painter.setPen(QPen(mark.darker(140), 1));
    painter.setBrush(mark);
    for (qreal x : { inset, width() - inset })
        painter.drawEllipse(QPointF(x, middle), MarkDiameter / 2.0, MarkDiameter / 2.0);
}
