#pragma once

#include "print/PrintDocument.h"
#include "services/Outcome.h"

#include <QImage>
#include <QString>
#include <QTransform>

class QPagedPaintDevice;
class QPainter;

// Draws a print document: on a paged device (a printer, the preview's
// printer, a PDF) or a page at a time as a picture. Guide lines belong to
// the preview only.
class PrintRenderer
{
public:
    struct Options {
        bool guideLines = false;
        // How many times the pages are sent, for devices that cannot make
        // copies themselves.
        int copies = 1;
        // Pages firstPage to lastPage, counted from 1; 0 for "to the end".
        int firstPage = 1;
        int lastPage = 0;
        // A real printer cannot print up to the paper's edge: each page is
        // then scaled down uniformly into the area the device can print
        // (its page layout's minimum margins). A PDF keeps the page as laid
        // out.
        bool fitToPrintableArea = false;
    };

    // Sets the device's page layout to the document's and paints its pages;
    // a failure says why the device could not be painted on. A printer must
    // be set to full-page mode so that x = 0 is the paper's edge.
    static Outcome render(
        const PrintDocument& document, QPagedPaintDevice& device, const Options& options);

    // Maps a page of pageSize onto printable (both in twips): scaled
    // uniformly to fit, never enlarged, and centred in it.
    static QTransform fitToPrintable(const QSizeF& pageSize, const QRectF& printable);

    // Paints page index (from 0) on a painter whose unit is the twip.
    static void paintPage(
        const PrintDocument& document, int index, QPainter& painter, bool guideLines = false);

    // Page index as a white picture at dotsPerInch.
    static QImage pageImage(const PrintDocument& document, int index, int dotsPerInch);
};
