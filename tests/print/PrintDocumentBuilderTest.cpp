#include "print/PrintDocumentBuilder.h"

#include <QFontMetricsF>
#include <QPageSize>

#include <gtest/gtest.h>

namespace {

const QPageLayout Letter = PrintDocument::paperLayout(QPageSize(QPageSize::Letter));

QList<PrintText> textsOf(const PrintDocument& document, int page)
{
    QList<PrintText> texts;
    for (const PrintItem& item : document.page(page)) {
        if (const auto* text = std::get_if<PrintText>(&item))
            texts.append(*text);
    }
    return texts;
}

} // namespace

TEST(PrintDocumentBuilder, SheetSizesInTwipsFollowPaperAndOrientation)
{
    struct Case {
        QPageSize::PageSizeId paper;
        QPageLayout::Orientation orientation;
        qreal width;
        qreal height;
    };
    const Case cases[] {
        { QPageSize::Letter, QPageLayout::Portrait, 12240, 15840 },
        { QPageSize::Letter, QPageLayout::Landscape, 15840, 12240 },
        { QPageSize::A4, QPageLayout::Portrait, 11900, 16840 },
        { QPageSize::Legal, QPageLayout::Portrait, 12240, 20160 },
    };
    for (const Case& c : cases) {
        const PrintDocumentBuilder builder(
            PrintDocument::paperLayout(QPageSize(c.paper), c.orientation));
        EXPECT_NEAR(builder.pageWidth(), c.width, 0.1) << int(c.paper);
        EXPECT_NEAR(builder.pageHeight(), c.height, 0.1) << int(c.paper);
        EXPECT_EQ(builder.landscape(), c.orientation == QPageLayout::Landscape);
    }
}

TEST(PrintDocumentBuilder, PrintedLinesMoveDownByTheFontsLineSpacing)
{
    // Liberation Serif, which stands in for Times New Roman, spaces its
    // lines 138, 276 and 322 twips at 6, 12 and 14 points.
    const std::pair<double, qreal> sizes[] { { 6, 138 }, { 12, 276 }, { 14, 322 } };
    for (const auto& [points, spacing] : sizes) {
        PrintDocumentBuilder builder(Letter);
        builder.setFontSize(points);
        builder.setY(1000);
        builder.printLine(QStringLiteral("one"));
        builder.printLine();
        EXPECT_NEAR(builder.y(), 1000 + 2 * spacing, 1) << points;
        const PrintText first = textsOf(builder.document(), 0).first();
        EXPECT_NEAR(first.baseline.y(), 1000 + QFontMetricsF(first.font).ascent(), 0.01);
    }
}

TEST(PrintDocumentBuilder, PlacesTextCentredOrEndingAtAPlaceOnOneLine)
{
    PrintDocumentBuilder builder(Letter);
    builder.setY(500);
    const QString text = QStringLiteral("Weight Tracker Printout");
    const qreal width = builder.textWidth(text);
    builder.textAt(200, text);
    builder.textCentredOn(6120, text);
    builder.textEndingAt(12000, text);
    EXPECT_EQ(builder.y(), 500);
    const QList<PrintText> texts = textsOf(builder.document(), 0);
    ASSERT_EQ(texts.size(), 3);
    EXPECT_DOUBLE_EQ(texts[0].baseline.x(), 200);
    EXPECT_DOUBLE_EQ(texts[1].baseline.x(), 6120 - width / 2);
    EXPECT_DOUBLE_EQ(texts[2].baseline.x(), 12000 - width);
    EXPECT_EQ(texts[0].baseline.y(), texts[2].baseline.y());

    // A text that would pass either edge of the sheet is moved onto it.
    builder.setFontSize(30);
    const QString wide = QStringLiteral("September 30, 2013");
    builder.textCentredOn(100, wide);
    builder.textAt(12000, wide);
    const QList<PrintText> moved = textsOf(builder.document(), 0).mid(3);
    ASSERT_EQ(moved.size(), 2);
    EXPECT_EQ(moved[0].baseline.x(), 0);
    EXPECT_DOUBLE_EQ(moved[1].baseline.x() + moved[1].width, builder.pageWidth());
}

TEST(PrintDocumentBuilder, ParagraphsWrapWithinTheIndentsAndKeepLineBreaks)
{
    PrintDocumentBuilder builder(Letter);
    builder.setIndents(600, 600);
    const QString words = QStringLiteral("walk the dog every morning before work ").repeated(12);
    builder.paragraph(words + QStringLiteral("\r\nSecond paragraph after a stored line break"));
    const QList<PrintText> lines = textsOf(builder.document(), 0);
    ASSERT_GT(lines.size(), 3);
    for (const PrintText& line : lines) {
        EXPECT_DOUBLE_EQ(line.baseline.x(), 600);
        EXPECT_LE(line.width, builder.pageWidth() - 1200 + 0.5) << line.text.toStdString();
        EXPECT_FALSE(line.text.endsWith(QLatin1Char(' ')));
    }
    EXPECT_EQ(lines.last().text, QStringLiteral("Second paragraph after a stored line break"));
    EXPECT_NEAR(builder.y(), lines.size() * builder.lineSpacing(), 1);

    // A word longer than the line is broken rather than run off the sheet.
    PrintDocumentBuilder narrow(Letter);
    narrow.setIndents(5000, 5000);
    narrow.paragraph(QString(60, QLatin1Char('W')));
    for (const PrintText& line : textsOf(narrow.document(), 0))
        EXPECT_LE(line.width, narrow.pageWidth() - 10000 + 0.5);
}

TEST(PrintDocumentBuilder, AFullPageRunsTheHandlerAndTheParagraphGoesOnInItsOwnFont)
{
    PrintDocumentBuilder builder(Letter);
    const qreal bottom = builder.pageHeight() - 320;
    int handled = 0;
    builder.setPageFullHandler(bottom, [&] {
        ++handled;
        builder.newPage();
        builder.setBold(true);
        builder.setIndents(0, 0);
        builder.printLine(QStringLiteral("HEADING"));
    });
    builder.setIndents(600, 600);
    builder.setY(bottom - 3 * builder.lineSpacing());
    builder.paragraph(QStringLiteral("line\n").repeated(10).trimmed());

    EXPECT_EQ(handled, 1);
    ASSERT_EQ(builder.document().pageCount(), 2);
    EXPECT_EQ(builder.document().texts(0).size(), 3);
    const QList<PrintText> second = textsOf(builder.document(), 1);
    ASSERT_EQ(second.size(), 8);
    EXPECT_EQ(second[0].text, QStringLiteral("HEADING"));
    EXPECT_TRUE(second[0].font.bold());
    EXPECT_FALSE(second[1].font.bold());
    EXPECT_DOUBLE_EQ(second[1].baseline.x(), 600);
    for (int page = 0; page < 2; ++page) {
        for (const PrintText& line : textsOf(builder.document(), page))
            EXPECT_LE(line.baseline.y(), bottom);
    }
}

TEST(PrintDocumentBuilder, PicturesKeepTheirProportionsCentredInTheirBox)
{
    struct Case {
        QSize image;
        QRectF box;
        QRectF target;
    };
    const Case cases[] {
        { QSize(200, 100), QRectF(0, 0, 1000, 1000), QRectF(0, 250, 1000, 500) },
        { QSize(100, 200), QRectF(100, 100, 1000, 1000), QRectF(350, 100, 500, 1000) },
        { QSize(30, 20), QRectF(0, 0, 300, 200), QRectF(0, 0, 300, 200) },
        { QSize(), QRectF(0, 0, 300, 200), QRectF() },
    };
    for (const Case& c : cases) {
        QImage image;
        if (c.image.isValid()) {
            image = QImage(c.image, QImage::Format_RGB32);
            image.fill(Qt::red);
        }
        const PrintPicture picture { c.box, image };
        EXPECT_EQ(picture.target(), c.target) << c.image.width() << "x" << c.image.height();
    }
}
