#include "PdfInspection.h"
#include "PrintDocumentItems.h"
#include "TemporaryProgramFolder.h"

#include "passwords/PasswordReport.h"
#include "print/PdfFile.h"

#include <QFile>
#include <QFontMetricsF>
#include <QLocale>
#include <QPageSize>

#include <gtest/gtest.h>

namespace {

const QPageLayout Portrait = PrintDocument::paperLayout(QPageSize(QPageSize::Letter));
const QDate Printed(2013, 2, 20);
const QString NameCaption = QStringLiteral("Web address, Location, Service,Card, etc.:");
const QString SignOnCaption = QStringLiteral("Sign On ID, Login ID, User ID, etc.:");
const QString PasswordCaption = QStringLiteral("Password, PIN No., Secret #, etc.:");

// The footer prints the date in the system's short format; the tests fix it.
class PasswordReportTest : public ::testing::Test
{
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }
};

PasswordEntry bank()
{
    return { QStringLiteral("www.example.com"), QStringLiteral("ann.smith"),
        QStringLiteral("Tr0ub4dor&3 x"), QStringLiteral("PIN for the card is elsewhere.") };
}

PrintFont timesOf(double points)
{
    PrintFont font;
    font.points = points;
    return font;
}

} // namespace

TEST_F(PasswordReportTest, CaptionLinesTitleAndFooterInTheirSizes)
{
    struct Case {
        PasswordEntry entry;
        double points;
        QStringList texts;
    };
    const QList<Case> cases {
        { bank(), 12,
            { "Password Keeper", NameCaption + "    www.example.com", SignOnCaption + "  ann.smith",
                PasswordCaption + "     Tr0ub4dor&3 x", "Comments, Notes, Remarks, etc.:",
                "PIN for the card is elsewhere.", "Halvorn", "Printed on 2/20/13" } },
        // Empty boxes still give their captions.
        { PasswordEntry(), 10,
            { "Password Keeper", NameCaption, SignOnCaption, PasswordCaption,
                "Comments, Notes, Remarks, etc.:", "Halvorn", "Printed on 2/20/13" } },
    };
    for (const Case& c : cases) {
        const PrintDocument document
            = PasswordReport::build(c.entry, Printed, Portrait, timesOf(c.points));
        ASSERT_EQ(document.pageCount(), 1);
        EXPECT_EQ(document.texts(0), c.texts) << c.points;
        const QList<PrintText> texts = itemsOf<PrintText>(document, 0);
        const int body = int(c.points * 20);
        for (const PrintText& text : texts) {
            const bool title = text.text == u"Password Keeper";
            const bool footer = text.text == u"Halvorn" || text.text.startsWith(u"Printed on");
            EXPECT_EQ(text.font.pixelSize(),
                title        ? body + 40
                    : footer ? 120
                             : body)
                << text.text.toStdString();
            EXPECT_EQ(text.font.family(), QStringLiteral("Times New Roman"));
            EXPECT_FALSE(text.font.bold());
            EXPECT_EQ(text.baseline.x(),
                title                              ? 400
                    : text.text == c.entry.comment ? text.baseline.x()
                                                   : 600)
                << text.text.toStdString();
        }
        // The title's line starts 200 twips down the sheet.
        EXPECT_NEAR(
            texts.first().baseline.y(), 200 + QFontMetricsF(texts.first().font).ascent(), 0.01);
    }
}

TEST_F(PasswordReportTest, TheCommentStartsOnItsCaptionsLineBesideIt)
{
    struct Case {
        const char* what;
        double points;
        QString comment;
        bool beside;
    };
    const QList<Case> cases {
        { "short", 12, QStringLiteral("Short."), true },
        { "long, wrapped under its first line", 12,
            QStringLiteral("The card's PIN is kept elsewhere; the security questions are the "
                           "first school, the first pet and the street the grandparents lived "
                           "on, and the answers are written in the blue notebook."),
            true },
        { "lines of its own", 10, QStringLiteral("one\ntwo\nthree"), true },
        // No room left beside the caption: under it.
        { "a huge font", 40, QStringLiteral("Short."), false },
    };
    for (const Case& c : cases) {
        PasswordEntry entry = bank();
        entry.comment = c.comment;
        const PrintDocument document
            = PasswordReport::build(entry, Printed, Portrait, timesOf(c.points));
        const PrintText caption
            = *textOn(document, 0, QStringLiteral("Comments, Notes, Remarks, etc.:"));
        QList<PrintText> comment;
        for (const PrintText& text : itemsOf<PrintText>(document, 0)) {
            if (text.baseline.y() >= caption.baseline.y() && text.text != caption.text
                && text.text != u"Halvorn" && !text.text.startsWith(u"Printed on"))
                comment.append(text);
        }
        ASSERT_FALSE(comment.isEmpty()) << c.what;
        const qreal besideX = 600 + caption.width + 200;
        if (c.beside) {
            EXPECT_EQ(comment.first().baseline.y(), caption.baseline.y()) << c.what;
            for (const PrintText& line : comment) {
                EXPECT_NEAR(line.baseline.x(), besideX, 0.01) << c.what;
                EXPECT_LE(line.baseline.x() + line.width, document.pageWidth() - 400 + 0.01);
            }
        } else {
            EXPECT_GT(comment.first().baseline.y(), caption.baseline.y()) << c.what;
            EXPECT_EQ(comment.first().baseline.x(), 600) << c.what;
        }
        EXPECT_EQ(comment.size() > 1, c.comment.size() > 60 || c.comment.contains(u'\n')) << c.what;
        // The footer follows the comment's last line, after an empty line.
        const PrintText footer = *textOn(document, 0, QStringLiteral("Halvorn"));
        EXPECT_GT(footer.baseline.y(), comment.last().baseline.y() + caption.font.pixelSize())
            << c.what;
        expectOnTheSheet(document, c.what);
    }
}

TEST_F(PasswordReportTest, ThePdfHoldsThePasswordInClearInTimesNewRoman)
{
    TemporaryProgramFolder folder;
    const QString path = folder.filePath(QStringLiteral("entry.pdf"));
    PrintFont font = timesOf(12);
    font.colour = QColor(0, 0, 160);
    const PrintDocument document = PasswordReport::build(bank(), Printed, Portrait, font);
    ASSERT_TRUE(PdfFile::save(document, path, true));
    EXPECT_EQ(QFile::permissions(path)
            & (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther),
        0);

    const PdfInspection pdf(path);
    ASSERT_TRUE(pdf.isValid()) << pdf.error().toStdString();
    EXPECT_EQ(pdf.pageCount(), 1);
    EXPECT_EQ(pdf.fonts(), QStringList { QStringLiteral("LiberationSerif") });
    EXPECT_EQ(pdf.info(QStringLiteral("Title")), QStringLiteral("www.example.com Password Keeper"));
    EXPECT_NEAR(pdf.find(0, QStringLiteral("Password Keeper"))->left(), 20, 0.05);
    const std::optional<QRectF> password = pdf.find(0, QStringLiteral("Tr0ub4dor&3 x"));
    ASSERT_TRUE(password);
    const std::optional<QRectF> caption
        = pdf.find(0, QStringLiteral("Comments, Notes, Remarks, etc.:"));
    const std::optional<QRectF> comment
        = pdf.find(0, QStringLiteral("PIN for the card is elsewhere."));
    ASSERT_TRUE(caption && comment);
    EXPECT_NEAR(comment->left() - caption->right(), 10, 0.5);
    EXPECT_NEAR(comment->bottom(), caption->bottom(), 0.5);
    const std::optional<QRectF> footer = pdf.find(0, QStringLiteral("Halvorn"));
    ASSERT_TRUE(footer);
    EXPECT_LT(footer->height(), 8);
    EXPECT_TRUE(pdf.find(0, QStringLiteral("Printed on 2/20/13")));
}
