#include "PdfInspection.h"
#include "ReadOnlyFolder.h"
#include "TemporaryProgramFolder.h"

#include "print/PdfFile.h"
#include "print/PrintDocumentBuilder.h"
#include "print/PrintRenderer.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPageSize>
#include <QPdfWriter>
#include <QTransform>

#include <gtest/gtest.h>

namespace {

// Two pages naming themselves, a text at x = 200 and a centred one.
PrintDocument twoPages(const QPageLayout& layout, const PrintFont& font = PrintFont())
{
    PrintDocumentBuilder builder(layout, QStringLiteral("Two pages"));
    builder.setFont(font);
    for (int page = 1; page <= 2; ++page) {
        if (page > 1)
            builder.newPage();
        builder.setY(1000);
        builder.textAt(200, QStringLiteral("Page%1").arg(page));
        builder.newLine();
        builder.printCentred(QStringLiteral("Centred"));
    }
    return builder.takeDocument();
}

bool isDark(QRgb pixel)
{
    return qGray(pixel) < 100;
}

// Pictures in a PDF are compressed; their colours come back nearly exact.
bool isBlue(QRgb pixel)
{
    return qBlue(pixel) > 230 && qRed(pixel) < 30 && qGreen(pixel) < 30;
}

bool isWhite(QRgb pixel)
{
    return qGray(pixel) > 240;
}

} // namespace

TEST(PrintRenderer, PdfPagesHaveThePaperSizeAndTextWhereItWasPlaced)
{
    struct Case {
        QPageSize::PageSizeId paper;
        QPageLayout::Orientation orientation;
        const char* pageSize;
    };
    const Case cases[] {
        { QPageSize::Letter, QPageLayout::Portrait, "612 x 792 pts (letter)" },
        { QPageSize::Letter, QPageLayout::Landscape, "792 x 612 pts (letter)" },
        { QPageSize::A4, QPageLayout::Portrait, "595 x 842 pts (A4)" },
    };
    for (const Case& c : cases) {
        TemporaryProgramFolder folder;
        const QString path = folder.filePath(QStringLiteral("out.pdf"));
        const PrintDocument document
            = twoPages(PrintDocument::paperLayout(QPageSize(c.paper), c.orientation));
        const Outcome saved = PdfFile::save(document, path);
        ASSERT_TRUE(saved) << saved.reason.toStdString();

        const PdfInspection pdf(path);
        ASSERT_TRUE(pdf.isValid()) << pdf.error().toStdString();
        EXPECT_EQ(pdf.info(QStringLiteral("Pages")), QStringLiteral("2"));
        EXPECT_EQ(pdf.info(QStringLiteral("Page size")), QString::fromLatin1(c.pageSize));
        EXPECT_EQ(pdf.info(QStringLiteral("Title")), QStringLiteral("Two pages"));
        for (int page = 0; page < 2; ++page) {
            const auto named = pdf.find(page, QStringLiteral("Page%1").arg(page + 1));
            ASSERT_TRUE(named) << page;
            EXPECT_NEAR(named->left(), 10.0, 0.05);
            const auto centred = pdf.find(page, QStringLiteral("Centred"));
            ASSERT_TRUE(centred);
            EXPECT_NEAR(centred->center().x(), document.pageWidth() / 40, 0.5);
        }
    }
}

TEST(PrintRenderer, PrintFontsAreEmbeddedAsTheirMetricCompatibleFaces)
{
    const std::pair<const char*, const char*> faces[] {
        { "Times New Roman", "LiberationSerif" },
        { "Arial", "LiberationSans" },
    };
    for (const auto& [family, embedded] : faces) {
        TemporaryProgramFolder folder;
        const QString path = folder.filePath(QStringLiteral("font.pdf"));
        PrintFont font;
        font.family = QString::fromLatin1(family);
        ASSERT_TRUE(PdfFile::save(twoPages(PrintDocument().pageLayout(), font), path));
        EXPECT_TRUE(PdfInspection(path).fonts().contains(QString::fromLatin1(embedded)))
            << PdfInspection(path).fonts().join(' ').toStdString();
    }
}

TEST(PrintRenderer, CopiesRepeatTheWholeDocument)
{
    TemporaryProgramFolder folder;
    const QString path = folder.filePath(QStringLiteral("copies.pdf"));
    ASSERT_TRUE(PdfFile::save(twoPages(PrintDocument().pageLayout()), path, false, 2));
    const PdfInspection pdf(path);
    ASSERT_EQ(pdf.pageCount(), 4);
    EXPECT_EQ(pdf.pagesWith(QStringLiteral("Page1")), (QList<int> { 0, 2 }));
    EXPECT_EQ(pdf.pagesWith(QStringLiteral("Page2")), (QList<int> { 1, 3 }));
}

TEST(PrintRenderer, FramesLinesAndPicturesLandInTheirBoxes)
{
    PrintDocumentBuilder builder(PrintDocument().pageLayout());
    // A frame on the paper's edges, a rule across the middle and a blue
    // picture twice as wide as high in a square box.
    builder.rectangle(0, 0, builder.pageWidth(), builder.pageHeight());
    builder.line(0, 7200, builder.pageWidth(), 7200);
    QImage blue(200, 100, QImage::Format_RGB32);
    blue.fill(Qt::blue);
    builder.picture(blue, QRectF(1440, 1440, 2880, 2880));
    const PrintDocument document = builder.takeDocument();

    TemporaryProgramFolder folder;
    const QString path = folder.filePath(QStringLiteral("boxes.pdf"));
    ASSERT_TRUE(PdfFile::save(document, path));
    // 144 dots per inch: a twip is a tenth of a dot.
    const QImage rendered = QImage::fromData(PdfInspection(path).pagePng(0, 144));
    const QImage drawn = PrintRenderer::pageImage(document, 0, 144);
    for (const QImage& page : { rendered, drawn }) {
        ASSERT_EQ(page.size(), QSize(1224, 1584));
        // The frame's outline lies on the sheet on every side.
        EXPECT_TRUE(isDark(page.pixel(0, 792)));
        EXPECT_TRUE(isDark(page.pixel(1223, 792)));
        EXPECT_TRUE(isDark(page.pixel(612, 0)));
        EXPECT_TRUE(isDark(page.pixel(612, 1583)));
        EXPECT_TRUE(isDark(page.pixel(400, 720)));
        // The picture fills the box's width and the middle half of its height.
        EXPECT_TRUE(isBlue(page.pixel(288, 288))) << "centre";
        EXPECT_TRUE(isBlue(page.pixel(150, 220))) << "left middle";
        EXPECT_TRUE(isWhite(page.pixel(288, 160))) << "above";
        EXPECT_TRUE(isWhite(page.pixel(288, 420))) << "below";
    }
}

TEST(PdfFile, AFailedSaveSaysWhyAndLeavesTheOldFile)
{
    TemporaryProgramFolder folder;
    const Outcome missingFolder
        = PdfFile::save(PrintDocument(), folder.filePath(QStringLiteral("no/such/a.pdf")));
    EXPECT_FALSE(missingFolder);
    EXPECT_FALSE(missingFolder.reason.isEmpty());

    // A folder that takes no new files keeps the report that is there.
    folder.write(QStringLiteral("keep.pdf"), "old");
    {
        const ReadOnlyFolder readOnly(folder.path());
        if (!readOnly.isEffective())
            GTEST_SKIP() << "this system cannot make a folder refuse writes";
        const Outcome refused
            = PdfFile::save(PrintDocument(), folder.filePath(QStringLiteral("keep.pdf")));
        EXPECT_FALSE(refused);
        EXPECT_FALSE(refused.reason.isEmpty());
    }
    EXPECT_EQ(folder.read(QStringLiteral("keep.pdf")), QByteArray("old"));
}

TEST(PdfFile, AnOwnerOnlyReportIsReadableByItsOwnerAlone)
{
    TemporaryProgramFolder folder;
    const QString path = folder.filePath(QStringLiteral("secret.pdf"));
    ASSERT_TRUE(PdfFile::save(PrintDocument(), path, true));
    const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup
        | QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::WriteOther
        | QFileDevice::ExeOther;
    EXPECT_EQ(QFileInfo(path).permissions() & others, QFileDevice::Permissions());
    EXPECT_TRUE(QFileInfo(path).permissions() & QFileDevice::ReadOwner);
    EXPECT_EQ(PdfInspection(path).pageCount(), 1);
}

TEST(PrintRenderer, APageFitsThePrintableAreaUniformlyAndCentred)
{
    // Letter and A4 in twips, with a printer's typical unprintable borders.
    const QSizeF letter(12240, 15840);
    const QSizeF a4(11906, 16838);
    struct Case {
        QSizeF page;
        QRectF printable;
        qreal scale;
    };
    const Case cases[] {
        // A quarter inch all round: the width decides.
        { letter, QRectF(360, 360, 12240 - 720, 15840 - 720), (12240 - 720) / 12240.0 },
        // Wide side borders on A4 paper, a thin top.
        { a4, QRectF(1000, 100, 11906 - 2000, 16838 - 300), (11906 - 2000) / 11906.0 },
        // A tall bottom border: the height decides.
        { letter, QRectF(100, 100, 12040, 15840 - 2000), (15840 - 2000) / 15840.0 },
        // Room to spare is never used to enlarge the page.
        { letter, QRectF(0, 0, 20000, 20000), 1.0 },
    };
    for (const Case& c : cases) {
        const QTransform fit = PrintRenderer::fitToPrintable(c.page, c.printable);
        const QRectF placed = fit.mapRect(QRectF(QPointF(0, 0), c.page));
        EXPECT_NEAR(fit.m11(), c.scale, 1e-9);
        EXPECT_NEAR(fit.m22(), c.scale, 1e-9);
        EXPECT_TRUE(c.printable.adjusted(-0.01, -0.01, 0.01, 0.01).contains(placed))
            << placed.left() << "," << placed.top() << " " << placed.width() << "x"
            << placed.height();
        EXPECT_NEAR(placed.center().x(), c.printable.center().x(), 0.01);
        EXPECT_NEAR(placed.center().y(), c.printable.center().y(), 0.01);
    }
}

TEST(PrintRenderer, APdfKeepsThePageAsLaidOutEvenWhenAskedToFit)
{
    // A PDF has no unprintable border: fitting leaves every word in place.
    TemporaryProgramFolder folder;
    const PrintDocument document = twoPages(PrintDocument::paperLayout(QPageSize(QPageSize::A4)));
    QPdfWriter writer(folder.filePath("fit.pdf"));
    writer.setResolution(int(PrintDocument::TwipsPerInch));
    PrintRenderer::Options options;
    options.fitToPrintableArea = true;
    ASSERT_TRUE(PrintRenderer::render(document, writer, options));
    const PdfInspection pdf(folder.filePath("fit.pdf"));
    const std::optional<QRectF> word = pdf.find(0, QStringLiteral("Page1"));
    ASSERT_TRUE(word);
    EXPECT_NEAR(word->left(), 10.0, 0.05);
}
