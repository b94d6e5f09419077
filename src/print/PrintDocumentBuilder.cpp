#include "PrintDocumentBuilder.h"

#include <QTextLayout>
#include <QTextOption>

#include <utility>

PrintDocumentBuilder::PrintDocumentBuilder(const QPageLayout& layout, const QString& title)
    : m_document(layout, title)
    , m_qfont(m_font.twipsFont())
    , m_metrics(m_qfont)
{ }

void PrintDocumentBuilder::setFont(const PrintFont& font)
{
    m_font = font;
    fontChanged();
}

void PrintDocumentBuilder::setFontSize(double points)
{
    m_font.points = points;
    fontChanged();
}

void PrintDocumentBuilder::setBold(bool on)
{
    m_font.bold = on;
    fontChanged();
}

void PrintDocumentBuilder::setItalic(bool on)
{
    m_font.italic = on;
    fontChanged();
}

void PrintDocumentBuilder::setUnderline(bool on)
{
    m_font.underline = on;
    fontChanged();
}

void PrintDocumentBuilder::setTextColour(const QColor& colour)
{
    m_font.colour = colour;
}

void PrintDocumentBuilder::fontChanged()
{
    m_qfont = m_font.twipsFont();
    m_metrics = QFontMetricsF(m_qfont);
}

qreal PrintDocumentBuilder::textWidth(const QString& text) const
{
    return m_metrics.horizontalAdvance(text);
}

void PrintDocumentBuilder::setIndents(qreal left, qreal right)
{
    m_leftIndent = left;
    m_rightIndent = right;
}

void PrintDocumentBuilder::textAt(qreal x, const QString& text)
{
    if (text.isEmpty())
        return;
    // A text placed for a normal font size may not fit where a large font
    // puts it; it is moved onto the sheet rather than cut at its edge.
    const qreal width = textWidth(text);
    const qreal onSheet = qMax<qreal>(0, qMin(x, pageWidth() - width));
    m_document.add(PrintText {
        QPointF(onSheet, m_y + m_metrics.ascent()), text, m_qfont, m_font.colour, width });
}

void PrintDocumentBuilder::textEndingAt(qreal right, const QString& text)
{
    textAt(right - textWidth(text), text);
}

void PrintDocumentBuilder::textCentredOn(qreal x, const QString& text)
{
    textAt(x - textWidth(text) / 2, text);
}

void PrintDocumentBuilder::printLine(const QString& text)
{
    textAt(m_leftIndent, text);
    newLine();
}

void PrintDocumentBuilder::printCentred(const QString& text)
{
    textCentredOn(pageWidth() / 2, text);
    newLine();
}

void PrintDocumentBuilder::setPageFullHandler(qreal bottom, std::function<void()> handler)
{
    m_pageFullBottom = bottom;
    m_pageFull = std::move(handler);
}

void PrintDocumentBuilder::paragraph(const QString& text)
{
    QString laidOut = text;
    laidOut.remove(QLatin1Char('\r'));
    laidOut.replace(QLatin1Char('\n'), QChar::LineSeparator);

    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    QTextLayout layout(laidOut, m_qfont);
    layout.setTextOption(option);
    const qreal width = qMax<qreal>(1, pageWidth() - m_leftIndent - m_rightIndent);
    layout.beginLayout();
    QList<QString> lines;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        QString part = laidOut.mid(line.textStart(), line.textLength());
        part.remove(QChar::LineSeparator);
        while (part.endsWith(QLatin1Char(' ')))
            part.chop(1);
        lines.append(part);
    }
    layout.endLayout();

    for (const QString& part : std::as_const(lines)) {
        if (m_pageFull && m_y + lineSpacing() > m_pageFullBottom) {
            // The handler prints a heading in its own fonts; the paragraph
            // goes on in its own.
            const PrintFont font = m_font;
            const qreal left = m_leftIndent;
            const qreal right = m_rightIndent;
            m_pageFull();
            setFont(font);
            setIndents(left, right);
        }
        printLine(part);
    }
}

void PrintDocumentBuilder::line(qreal x1, qreal y1, qreal x2, qreal y2)
{
    m_document.add(PrintLine { QLineF(x1, y1, x2, y2), m_penWidth });
}

void PrintDocumentBuilder::rectangle(qreal left, qreal top, qreal right, qreal bottom)
{
    m_document.add(PrintRectangle {
        QRectF(QPointF(left, top), QPointF(right, bottom)).normalized(), m_penWidth });
}

void PrintDocumentBuilder::picture(const QImage& image, const QRectF& box)
{
    m_document.add(PrintPicture { box, image });
}

void PrintDocumentBuilder::newPage()
{
    m_document.addPage();
    m_y = 0;
}
