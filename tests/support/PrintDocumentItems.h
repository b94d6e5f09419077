#pragma once

#include "print/PrintDocument.h"

#include <QList>
#include <QRectF>
#include <QString>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <variant>

// What a laid-out report holds, for the reports' tests.

// The items of one kind on a page, in the order they were placed.
template <typename Item> QList<Item> itemsOf(const PrintDocument& document, int page)
{
    QList<Item> items;
    for (const PrintItem& item : document.page(page)) {
        if (const auto* found = std::get_if<Item>(&item))
            items.append(*found);
    }
    return items;
}

// The first text on the page that reads text.
inline std::optional<PrintText> textOn(const PrintDocument& document, int page, const QString& text)
{
    for (const PrintText& item : itemsOf<PrintText>(document, page)) {
        if (item.text == text)
            return item;
    }
    return std::nullopt;
}

inline qreal centreOf(const PrintText& text)
{
    return text.baseline.x() + text.width / 2;
}

// Nothing of the document lies outside its sheet.
inline void expectOnTheSheet(const PrintDocument& document, const std::string& what)
{
    const QRectF sheet(0, 0, document.pageWidth(), document.pageHeight());
    for (int page = 0; page < document.pageCount(); ++page) {
        for (const PrintItem& item : document.page(page)) {
            QRectF extent;
            if (const auto* text = std::get_if<PrintText>(&item))
                extent = QRectF(text->baseline.x(), text->baseline.y() - 1, text->width, 1);
            else if (const auto* line = std::get_if<PrintLine>(&item))
                extent = QRectF(line->line.p1(), line->line.p2()).normalized();
            else if (const auto* rectangle = std::get_if<PrintRectangle>(&item))
                extent = rectangle->rect;
            else
                extent = std::get<PrintPicture>(item).box;
            const bool inside = extent.left() >= -0.01 && extent.top() >= -0.01
                && extent.right() <= sheet.right() + 0.01
                && extent.bottom() <= sheet.bottom() + 0.01;
            EXPECT_TRUE(inside) << what << " page " << page << ": " << extent.x() << ","
                                << extent.y() << " " << extent.width() << "x" << extent.height();
        }
    }
}
