#pragma once

#include "print/PrintItem.h"

#include <QList>
#include <QPageLayout>
#include <QString>
#include <QStringList>

// A laid-out report: pages of items on one paper size and orientation, with
// no margins (x = 0 is the paper's edge). The renderer draws it on the
// preview, a printer, a PDF or a picture; nothing in it depends on where it
// goes.
class PrintDocument
{
public:
    static constexpr qreal TwipsPerInch = 1440;

    // Letter, portrait.
    PrintDocument();
    explicit PrintDocument(const QPageLayout& layout, QString title = QString());

    // The paper a report takes until the user chooses another: the one of
    // the user's locale (Letter where the US measures, else A4), on the
    // screen and from the data tool alike.
    static QPageSize defaultPaper();

    // The layout of paper and orientation with all four margins 0.
    static QPageLayout paperLayout(
        const QPageSize& paper, QPageLayout::Orientation orientation = QPageLayout::Portrait);

    const QPageLayout& pageLayout() const { return m_layout; }
    bool landscape() const { return m_layout.orientation() == QPageLayout::Landscape; }
    // The sheet's size in twips, in the document's orientation.
    qreal pageWidth() const;
    qreal pageHeight() const;

    // A report's title with the name of whom it is about before it, or the
    // report's title alone for a blank name.
    static QString titleFor(const QString& name, const QString& report);

    // Names the document's file and the PDF's title.
    const QString& title() const { return m_title; }
    void setTitle(const QString& title) { m_title = title; }

    // A document has at least one page, which may be blank.
    int pageCount() const { return int(m_pages.size()); }
    const QList<PrintItem>& page(int index) const { return m_pages.at(index); }
    void addPage() { m_pages.append(QList<PrintItem>()); }
    // Adds to the last page.
    void add(PrintItem item) { m_pages.last().append(std::move(item)); }

    // The texts of a page in the order they were placed.
    QStringList texts(int index) const;

private:
    QPageLayout m_layout;
    QString m_title;
    QList<QList<PrintItem>> m_pages;
};
