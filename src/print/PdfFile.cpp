#include "PdfFile.h"

#include "print/PrintRenderer.h"
#include "storage/FileWriting.h"

#include <QBuffer>
#include <QPdfWriter>

QString PdfFile::fileNameFor(const QString& title)
{
    QString name = title.trimmed();
    for (QChar& c : name) {
        if (c.unicode() < 32 || QStringLiteral("/\\:*?\"<>|").contains(c))
            c = QLatin1Char('_');
    }
    if (name.isEmpty())
        name = QStringLiteral("Report");
    return name + QStringLiteral(".pdf");
}

bool PdfFile::save(
    const PrintDocument& document, const QString& path, QString* error, bool ownerOnly, int copies)
{
    // Laid out in memory, then written through the checked whole-file
    // replacement: a full disk is reported with what reached it, and the
    // previous file stays until the new one is complete.
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setResolution(int(PrintDocument::TwipsPerInch));
        writer.setTitle(document.title());
        writer.setCreator(QStringLiteral("Halvorn"));
        PrintRenderer::Options options;
        options.copies = copies;
        if (!PrintRenderer::render(document, writer, options, error))
            return false;
    }
    const WriteOutcome outcome = FileWriting::replaceFile(path, pdf.data(),
        ownerOnly ? std::optional(QFileDevice::ReadOwner | QFileDevice::WriteOwner) : std::nullopt);
    if (!outcome.written && error)
        *error = outcome.reason;
    return outcome.written;
}
