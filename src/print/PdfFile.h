#pragma once

#include "print/PrintDocument.h"
#include "services/Outcome.h"

#include <QString>

class QIODevice;

// A print document as a PDF file. The file is replaced whole or, on failure,
// left as it was.
class PdfFile
{
public:
    // copies repeats the pages; ownerOnly makes the file readable by its
    // owner only (a report holding passwords).
    static Outcome save(
        const PrintDocument& document, const QString& path, bool ownerOnly = false, int copies = 1);

    // Writes the PDF to an open device; a failure says why it could not be
    // laid on the pages.
    static Outcome write(const PrintDocument& document, QIODevice& device, int copies = 1);

    // Makes path an owner-only file before something else (the printer)
    // writes it: an existing file is narrowed, a missing one created empty.
    static void prepareOwnerOnly(const QString& path);

    // A file name for a document titled title: characters that no file
    // name may hold become "_", and ".pdf" is added.
    static QString fileNameFor(const QString& title);
};
