#pragma once

#include "print/PrintDocument.h"

#include <QImage>
#include <QString>

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
    };

    // Sets the device's page layout to the document's and paints its pages.
    // False, with the reason, when the device cannot be painted on. A
    // printer must be set to full-page mode so that x = 0 is the paper's
    // edge.
    static bool render(const PrintDocument& document, QPagedPaintDevice& device,
        const Options& options, QString* error = nullptr);

    // Paints page index (from 0) on a painter whose unit is the twip.
    static void paintPage(
        const PrintDocument& document, int index, QPainter& painter, bool guideLines = false);

    // Page index as a white picture at dotsPerInch.
    static QImage pageImage(const PrintDocument& document, int index, int dotsPerInch);
};
