#include "PdfFile.h"

#include "print/PrintRenderer.h"

#include <QPdfWriter>
#include <QSaveFile>

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
    auto fail = [&](const QString& reason) {
        if (error)
            *error = reason;
        return false;
    };
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    if (ownerOnly && !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        return fail(file.errorString());
    {
        // The writer finishes the PDF when its painter ends, before the
        // file is committed.
        QPdfWriter writer(&file);
        writer.setResolution(int(PrintDocument::TwipsPerInch));
        writer.setTitle(document.title());
        writer.setCreator(QStringLiteral("Halvorn"));
        QString reason;
        PrintRenderer::Options options;
        options.copies = copies;
        if (!PrintRenderer::render(document, writer, options, &reason)) {
            file.cancelWriting();
            return fail(reason);
        }
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
}
