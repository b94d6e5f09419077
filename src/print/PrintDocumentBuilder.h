#pragma once

#include "print/PrintDocument.h"
#include "print/PrintFont.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QRectF>
#include <QString>

#include <functional>

// Lays a report out page by page, the way the reports describe it: a current
// font, a current vertical position that each printed line moves down by the
// font's line spacing, left and right indents for wrapped paragraphs, lines
// drawn with the current pen width, pictures fitted into boxes, and new
// pages. Everything is in twips on the whole sheet.
class PrintDocumentBuilder
{
public:
    explicit PrintDocumentBuilder(const QPageLayout& layout, const QString& title = QString());

    qreal pageWidth() const { return m_document.pageWidth(); }
    qreal pageHeight() const { return m_document.pageHeight(); }
    bool landscape() const { return m_document.landscape(); }
    // Counted from 1.
    int pageNumber() const { return m_document.pageCount(); }

    // --- font --------------------------------------------------------------
    const PrintFont& font() const { return m_font; }
    void setFont(const PrintFont& font);
    void setFontSize(double points);
    void setBold(bool on);
    void setItalic(bool on);
    void setUnderline(bool on);
    void setTextColour(const QColor& colour);

    qreal textWidth(const QString& text) const;
    qreal lineSpacing() const { return m_metrics.lineSpacing(); }

    // --- position ----------------------------------------------------------
    qreal y() const { return m_y; }
    void setY(qreal y) { m_y = y; }
    void moveDown(qreal twips) { m_y += twips; }
    void setIndents(qreal left, qreal right);

    // --- text --------------------------------------------------------------
    // Texts never pass the sheet's left or right edge: one that would is
    // moved in, so a large font may overlap its neighbours but loses nothing.
    // Places text on the current line starting at x; the position stays.
    void textAt(qreal x, const QString& text);
    // Places text on the current line so that it ends at right.
    void textEndingAt(qreal right, const QString& text);
    // Places text on the current line centred on x; the position stays.
    void textCentredOn(qreal x, const QString& text);
    // Prints a line: text at the left indent, then the next line.
    void printLine(const QString& text = QString());
    // Prints a line centred on the page.
    void printCentred(const QString& text);
    void newLine() { m_y += lineSpacing(); }
    // Prints text wrapped within the indents, a line at a time; line breaks
    // in the text start new lines. Before a line that would pass the page's
    // lower limit the page-full handler runs (see below), and the paragraph
    // goes on in its own font and indents wherever the handler left the
    // position.
    void paragraph(const QString& text);
    // What a paragraph does when its next line would end below bottom:
    // typically a new page with the report's heading. Without a handler a
    // paragraph runs on.
    void setPageFullHandler(qreal bottom, std::function<void()> handler);

    // --- drawing -----------------------------------------------------------
    void setPenWidth(qreal twips) { m_penWidth = twips; }
    qreal penWidth() const { return m_penWidth; }
    void line(qreal x1, qreal y1, qreal x2, qreal y2);
    // An unfilled rectangle from (left, top) to (right, bottom); its outline
    // is drawn inside, so a frame on the paper's edge stays on the paper.
    void rectangle(qreal left, qreal top, qreal right, qreal bottom);
    // The picture fitted into box keeping its proportions; a null image
    // leaves the box empty.
    void picture(const QImage& image, const QRectF& box);

    // --- pages -------------------------------------------------------------
    // Starts a new page at its top; fonts, pen and indents stay.
    void newPage();

    const PrintDocument& document() const { return m_document; }
    PrintDocument takeDocument() { return std::move(m_document); }

private:
    void fontChanged();

    PrintDocument m_document;
    PrintFont m_font;
    QFont m_qfont;
    QFontMetricsF m_metrics;
    qreal m_y = 0;
    qreal m_leftIndent = 0;
    qreal m_rightIndent = 0;
    qreal m_penWidth = 15;
    qreal m_pageFullBottom = 0;
    std::function<void()> m_pageFull;
};
