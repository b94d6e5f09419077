#include "PdfFile.h"

#include "print/PrintRenderer.h"
#include "storage/FileWriting.h"

#include <QBuffer>
#include <QFile>
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

Outcome PdfFile::write(const PrintDocument& document, QIODevice& device, int copies)
{
    QPdfWriter writer(&device);
    writer.setResolution(int(PrintDocument::TwipsPerInch));
    writer.setTitle(document.title());
    writer.setCreator(QStringLiteral("Halvorn"));
    PrintRenderer::Options options;
    options.copies = copies;
    // The writer finishes the PDF when its painter ends, inside render().
    return PrintRenderer::render(document, writer, options);
}

void PdfFile::prepareOwnerOnly(const QString& path)
{
    constexpr QFileDevice::Permissions OwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    QFile file(path);
    if (file.exists())
        file.setPermissions(OwnerOnly);
    else
        file.open(QIODevice::WriteOnly | QIODevice::NewOnly, OwnerOnly);
}

Outcome PdfFile::save(
    const PrintDocument& document, const QString& path, bool ownerOnly, int copies)
{
    // Laid out in memory, then written through the checked whole-file
    // replacement: a full disk is reported with what reached it, and the
    // previous file stays until the new one is complete.
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    if (Outcome written = write(document, pdf, copies); !written)
        return written;
    return FileWriting::replaceFile(path, pdf.data(),
        ownerOnly ? std::optional(QFileDevice::ReadOwner | QFileDevice::WriteOwner) : std::nullopt);
}
