#include "FakeClock.h"
#include "PdfInspection.h"
#include "RecordingHelp.h"
#include "ScriptedDialogs.h"
#include "ScriptedMessageService.h"
#include "ScriptedScreenServices.h"
#include "TemporaryProgramFolder.h"

#include "print/PrintDocumentBuilder.h"
#include "screens/PrintFontDialog.h"
#include "screens/PrintOptionsPanel.h"
#include "screens/ShellState.h"
#include "screens/Twips.h"
#include "storage/GColor3File.h"
#include "storage/GColor4File.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPageSize>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>

namespace {

using Message = MessageService::Message;

// A function screen in miniature: a first text box, an "&Options" menu, a
// report option and a report of `pages` pages that shows the font it was
// laid out with.
class PrintOptionsPanelTest : public ::testing::Test, protected ScriptedScreenServices
{
protected:
    QWidget host;
    QLineEdit* firstTextBox = new QLineEdit(&host);
    QAction optionsMenu { QStringLiteral("&Options") };
    // Each panel owns its report options.
    QCheckBox* reportOption = nullptr;
    int pages = 2;
    QList<QPageLayout> rebuiltLayouts;
    QList<PrintFont> rebuiltFonts;
    QStringList statuses;
    int closings = 0;
    std::unique_ptr<PrintOptionsPanel> panel;

    void SetUp() override { host.resize(1200, 800); }

    void create(PrintPanelProfile profile = PrintPanelProfile::weightTracker())
    {
        reportOption = new QCheckBox(QStringLiteral("Print Graph"));
        panel = std::make_unique<PrintOptionsPanel>(
            services, profile, reportOption,
            [this](const QPageLayout& layout, const PrintFont& font) {
                rebuiltLayouts.append(layout);
                rebuiltFonts.append(font);
                PrintDocumentBuilder builder(
                    layout, QStringLiteral("Smith, Ann Weight Tracker Printout"));
                builder.setFont(font);
                for (int page = 1; page <= pages; ++page) {
                    if (page > 1)
                        builder.newPage();
                    builder.setY(1000);
                    builder.printLine(QStringLiteral("Page %1").arg(page));
                }
                return builder.takeDocument();
            },
            &host);
        panel->setOptionsMenu(&optionsMenu);
        panel->setFirstTextBox(firstTextBox);
        QObject::connect(panel.get(), &PrintOptionsPanel::statusChanged,
            [this](const QString& text) { statuses.append(text); });
        QObject::connect(panel.get(), &PrintOptionsPanel::closed, [this] { ++closings; });
        host.show();
        QCoreApplication::processEvents();
    }

    void open(PrintPanelProfile profile = PrintPanelProfile::weightTracker())
    {
        create(profile);
        panel->open();
        QCoreApplication::processEvents();
    }

    template <typename W = QWidget> W* find(const char* name) const
    {
        W* widget = panel->findChild<W*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QString field(int index) const
    {
        return panel->findChild<QLabel*>(QStringLiteral("Panel3D80_%1").arg(index))->text();
    }
    void click(const char* name) { QTest::mouseClick(find<QPushButton>(name), Qt::LeftButton); }

    GColor4File fonts() const { return GColor4File(folder.folder()); }
};

QPageLayout customPaper(qreal widthInches, qreal heightInches,
    QPageLayout::Orientation orientation = QPageLayout::Portrait)
{
    return PrintDocument::paperLayout(
        QPageSize(QSizeF(widthInches, heightInches), QPageSize::Inch), orientation);
}

// The largest whole size at which text fits into width twips.
double largestFittingSize(const QString& family, const QString& text, qreal width)
{
    PrintFont font;
    font.family = family;
    double fitting = 0;
    for (font.points = 1; font.points <= 400; font.points += 1) {
        if (QFontMetricsF(font.twipsFont()).horizontalAdvance(text) <= width)
            fitting = font.points;
    }
    return fitting;
}

} // namespace

TEST_F(PrintOptionsPanelTest, OpeningReadsTheStoredSizeKeepingItWithinFourToThirty)
{
    struct Case {
        std::optional<double> stored;
        double opened;
    };
    const Case cases[] { { std::nullopt, 14 }, { 3, 14 }, { 4, 4 }, { 30, 30 }, { 31, 14 },
        { 10.5, 10.5 } };
    for (const Case& c : cases) {
        TemporaryProgramFolder fresh;
        services.folder = fresh.folder();
        if (c.stored) {
            ASSERT_TRUE(GColor4File(fresh.folder())
                            .setWeightPrintFontSize(TaggedValue::fromFloat32(*c.stored)));
        }
        state.PrintFontSize = 99;
        open();
        EXPECT_EQ(state.PrintFontSize, c.opened) << c.stored.value_or(0);
        EXPECT_EQ(field(1), QString::number(c.opened) + QLatin1Char(' '));
        EXPECT_EQ(rebuiltFonts.last().points, c.opened);
        panel.reset();
    }
}

TEST_F(PrintOptionsPanelTest, WithNoStoredFaceTheFieldIsBlankAndTheReportPrintsInTimesNewRoman)
{
    QFont bold = firstTextBox->font();
    bold.setBold(true);
    firstTextBox->setFont(bold);
    open();
    EXPECT_EQ(field(0), QStringLiteral(" "));
    EXPECT_TRUE(state.PrintFontName.isEmpty());
    ASSERT_EQ(rebuiltFonts.size(), 1);
    EXPECT_EQ(rebuiltFonts[0].family, QStringLiteral("Times New Roman"));
    EXPECT_TRUE(rebuiltFonts[0].bold);
    EXPECT_FALSE(rebuiltFonts[0].italic);
    EXPECT_EQ(find<QLabel>("Panel3d82")->font().family(), QStringLiteral("Times New Roman"));

    // A stored face is shown with its trailing blank and printed.
    panel.reset();
    ASSERT_TRUE(fonts().setWeightPrintFontName(QStringLiteral("Arial")));
    open();
    EXPECT_EQ(field(0), QStringLiteral("Arial "));
    EXPECT_EQ(rebuiltFonts.last().family, QStringLiteral("Arial"));
}

TEST_F(PrintOptionsPanelTest, OpenPanelShowsTheReportAndHoldsTheOptionsMenuUntilItCloses)
{
    open();
    EXPECT_TRUE(panel->printOptionsOpen());
    EXPECT_FALSE(optionsMenu.isEnabled());
    EXPECT_EQ(statuses, QStringList { QStringLiteral("Print") });
    EXPECT_TRUE(find<QPushButton>("SSCommand80_2")->hasFocus());
    EXPECT_EQ(panel->preview()->pageCount(), 2);
    EXPECT_EQ(field(2), QStringLiteral(" Portrait"));
    EXPECT_EQ(reportOption->parentWidget()->parentWidget(), panel.get());
    EXPECT_TRUE(reportOption->isVisible());

    state.PrintFontName = QStringLiteral("Courier New");
    state.PrintFontSize = 11;
    click("SSCommand80_2");
    EXPECT_FALSE(panel->printOptionsOpen());
    EXPECT_TRUE(optionsMenu.isEnabled());
    EXPECT_EQ(statuses.last(), QString());
    EXPECT_EQ(closings, 1);
    EXPECT_EQ(fonts().weightPrintFontName(QString()), QStringLiteral("Courier New"));
    EXPECT_EQ(fonts().weightPrintFontSize(), 11);
}

TEST_F(PrintOptionsPanelTest, TheFontDialogSetsTheWholePrintFontAndCancelChangesNothing)
{
    open();
    const int rebuilds = int(rebuiltFonts.size());
    dialogs.queuePrintFont(std::nullopt);
    click("SSCommand80_0");
    EXPECT_EQ(rebuiltFonts.size(), rebuilds);
    EXPECT_EQ(field(0), QStringLiteral(" "));
    ASSERT_EQ(dialogs.initialPrintFonts().size(), 1);
    EXPECT_EQ(dialogs.initialPrintFonts()[0].family, QStringLiteral("Times New Roman"));

    PrintFont chosen;
    chosen.family = QStringLiteral("Arial");
    chosen.points = 12.5;
    chosen.italic = true;
    chosen.underline = true;
    chosen.strikeOut = true;
    chosen.colour = QColor(128, 0, 0);
    dialogs.queuePrintFont(chosen);
    click("SSCommand80_0");
    EXPECT_EQ(rebuiltFonts.last(), chosen);
    EXPECT_EQ(state.PrintFontName, QStringLiteral("Arial"));
    EXPECT_EQ(state.PrintFontColour, QColor(128, 0, 0));
    EXPECT_TRUE(state.PrintFontStrikethrough);
    EXPECT_EQ(field(0), QStringLiteral("Arial "));
    EXPECT_EQ(field(1), QStringLiteral("12.5 "));
    const QLabel* sample = find<QLabel>("Panel3d82");
    EXPECT_TRUE(sample->font().underline());
    EXPECT_TRUE(sample->font().strikeOut());
    EXPECT_EQ(sample->palette().color(QPalette::WindowText), QColor(128, 0, 0));

    // Closing stores a fractional size as the dialog gave it.
    click("SSCommand80_2");
    EXPECT_EQ(fonts().weightPrintFontSize(), 12.5);
}

TEST_F(PrintOptionsPanelTest, TheGuideLineChoiceIsStoredAtOnceAndLoadedWithoutWriting)
{
    open();
    EXPECT_TRUE(find<QRadioButton>("SSOption82_0")->isChecked());
    EXPECT_FALSE(panel->guideLinesShown());
    QTest::mouseClick(find<QRadioButton>("SSOption82_1"), Qt::LeftButton);
    EXPECT_TRUE(panel->guideLinesShown());
    EXPECT_TRUE(GColor3File(folder.folder()).weightGuideLinesOn());

    const QByteArray stored = folder.read(QStringLiteral("GColor3.Fil"));
    panel.reset();
    create();
    EXPECT_TRUE(find<QRadioButton>("SSOption82_1")->isChecked());
    EXPECT_TRUE(panel->guideLinesShown());
    EXPECT_EQ(folder.read(QStringLiteral("GColor3.Fil")), stored);

    // Each function has its own record.
    panel.reset();
    create(PrintPanelProfile::bloodPressureTracker());
    EXPECT_TRUE(find<QRadioButton>("SSOption82_0")->isChecked());
}

TEST_F(PrintOptionsPanelTest, EnlargeAndNormalTogglePreviewWidthAndEscapeUndoesThemInTurn)
{
    open();
    QWidget* preview = find("VSPrinter1");
    const int normalWidth = preview->width();
    ASSERT_GT(normalWidth, 100);
    click("SSCommand1");
    EXPECT_TRUE(panel->enlarged());
    EXPECT_EQ(find<QPushButton>("SSCommand1")->text(), QStringLiteral("Normal"));
    EXPECT_EQ(preview->width(), panel->width() - Twips::toPixelsX(75, panel.get()));
    EXPECT_EQ(panel->preview()->zoomMode(), QPrintPreviewWidget::FitToWidth);
    click("SSCommand1");
    EXPECT_EQ(preview->width(), normalWidth);
    EXPECT_EQ(find<QPushButton>("SSCommand1")->text(), QStringLiteral("Enlarge"));
    EXPECT_TRUE(find<QPushButton>("SSCommand80_2")->hasFocus());

    click("SSCommand1");
    EXPECT_TRUE(panel->escape());
    EXPECT_FALSE(panel->enlarged());
    EXPECT_TRUE(panel->printOptionsOpen());
    EXPECT_TRUE(panel->escape());
    EXPECT_FALSE(panel->printOptionsOpen());
    EXPECT_FALSE(panel->escape());
}

TEST_F(PrintOptionsPanelTest, StartsOnThePaperOfTheUsersLocale)
{
    // The same paper as halvorn-data report takes without --paper.
    const struct {
        QLocale locale;
        QPageSize::PageSizeId paper;
    } cases[] {
        { QLocale(QLocale::English, QLocale::UnitedStates), QPageSize::Letter },
        { QLocale(QLocale::German, QLocale::Germany), QPageSize::A4 },
        { QLocale(QLocale::English, QLocale::UnitedKingdom), QPageSize::A4 },
    };
    for (const auto& c : cases) {
        QLocale::setDefault(c.locale);
        open();
        EXPECT_EQ(rebuiltLayouts.last().pageSize().id(), c.paper) << c.locale.name().toStdString();
        EXPECT_EQ(PrintDocument::defaultPaper().id(), c.paper);
        panel->escape();
    }
    QLocale::setDefault(QLocale::c());
}

TEST_F(PrintOptionsPanelTest, TheZoomButtonsStayClearOfThePreviewAtEitherSize)
{
    // At 800 by 600 and at a large window, normal and enlarged: the buttons
    // must never cover the page they zoom.
    for (const QSize size : { QSize(800, 560), QSize(1280, 980) }) {
        host.resize(size);
        open();
        for (int toggle = 0; toggle < 2; ++toggle) {
            const QRect page = find("VSPrinter1")->geometry();
            for (const char* name : { "SSCommand1", "SSCommand2" }) {
                const QRect button = find(name)->geometry();
                EXPECT_FALSE(button.intersects(page))
                    << name << " over the preview at " << size.width() << "x" << size.height()
                    << (panel->enlarged() ? ", enlarged" : ", normal");
                EXPECT_TRUE(panel->rect().contains(button)) << name;
            }
            click("SSCommand1");
        }
        panel->escape();
    }
}

TEST_F(PrintOptionsPanelTest, EachPanelKeepsItsOwnNormalWidth)
{
    open();
    QWidget narrowHost;
    narrowHost.resize(700, 600);
    narrowHost.show();
    PrintOptionsPanel other(services, PrintPanelProfile::bloodPressureTracker(), nullptr,
        PrintOptionsPanel::Rebuild(), &narrowHost);
    other.open();
    QWidget* preview = find("VSPrinter1");
    QWidget* otherPreview = other.findChild<QWidget*>(QStringLiteral("VSPrinter1"));
    const int widths[2] { preview->width(), otherPreview->width() };
    ASSERT_NE(widths[0], widths[1]);
    panel->toggleZoom();
    other.toggleZoom();
    other.toggleZoom();
    panel->toggleZoom();
    EXPECT_EQ(preview->width(), widths[0]);
    EXPECT_EQ(otherPreview->width(), widths[1]);
}

TEST_F(PrintOptionsPanelTest, AutoSizeFitsTheTestTextIntoThePageWidth)
{
    struct Case {
        PrintPanelProfile profile;
        QPageLayout paper;
        QString text;
        double expected;
    };
    const Case cases[] {
        { PrintPanelProfile::weightTracker(), customPaper(8, 10), QString(56, 'N'), 14 },
        { PrintPanelProfile::weightTracker(), customPaper(8, 10, QPageLayout::Landscape),
            QString(56, 'N'), 17 },
        { PrintPanelProfile::passwordKeeper(), customPaper(8, 10), QString(96, 'n'), 12 },
    };
    for (const Case& c : cases) {
        open(c.profile);
        dialogs.queuePageLayout(c.paper);
        click("SSCommand80_1");
        click("SSCommand2");
        const double fitting = largestFittingSize(
            QStringLiteral("Times New Roman"), c.text, PrintDocument(c.paper).pageWidth());
        EXPECT_EQ(fitting, c.expected);
        EXPECT_EQ(state.PrintFontSize, c.expected);
        EXPECT_EQ(field(1), QString::number(c.expected) + QLatin1Char(' '));
        EXPECT_EQ(rebuiltFonts.last().points, c.expected);
        panel.reset();
    }

    // A text that measures nothing (as with a face that cannot be measured)
    // stops at the largest size instead of growing for ever.
    PrintPanelProfile unmeasurable;
    unmeasurable.autoSizeText.clear();
    open(unmeasurable);
    click("SSCommand2");
    EXPECT_EQ(state.PrintFontSize, 400);
}

TEST_F(PrintOptionsPanelTest, TheSizeRecordKeepsTheKindOfNumberTheSizeCameAs)
{
    // Record 33 as the panel leaves it on closing: type code, then payload.
    const auto storedSize = [this] {
        return folder.read(GColor4File::FileName).mid(32 * GColor4File::RecordLength, 6);
    };
    const QByteArray whole14("\x02\x00\x0E\x00", 4);
    const QByteArray whole12("\x02\x00\x0C\x00", 4);
    const QByteArray single14("\x04\x00\x00\x00\x60\x41", 6);
    const QByteArray single12("\x04\x00\x00\x00\x40\x41", 6);
    PrintFont twelve;
    twelve.family = QStringLiteral("Arial");
    twelve.points = 12;
    struct Case {
        const char* name;
        std::optional<TaggedValue> stored;
        std::function<void()> change;
        QByteArray closed;
    };
    const Case cases[] = {
        { "nothing stored, nothing changed", std::nullopt, [] {}, whole14 },
        { "a whole size stored, nothing changed", TaggedValue::fromInt16(12), [] {}, whole12 },
        { "a single-precision size stored, nothing changed", TaggedValue::fromFloat32(12), [] {},
            single12 },
        { "Auto Size", TaggedValue::fromInt16(12),
            [this] {
                dialogs.queuePageLayout(customPaper(8, 10));
                click("SSCommand80_1");
                click("SSCommand2");
                ASSERT_EQ(state.PrintFontSize, 14);
            },
            single14 },
        { "the font dialog", std::nullopt,
            [this, twelve] {
                dialogs.queuePrintFont(twelve);
                click("SSCommand80_0");
            },
            single12 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        folder.write(GColor4File::FileName, QByteArray());
        if (c.stored) {
            ASSERT_TRUE(fonts().setWeightPrintFontSize(*c.stored));
        }
        open();
        c.change();
        click("SSCommand80_2");
        EXPECT_EQ(storedSize().left(c.closed.size()), c.closed);
        panel.reset();
    }
}

TEST_F(PrintOptionsPanelTest, PageSetupSetsOrientationAndPaperForTheNextRebuild)
{
    open();
    dialogs.queuePageLayout(
        PrintDocument::paperLayout(QPageSize(QPageSize::Letter), QPageLayout::Landscape));
    click("SSCommand80_1");
    EXPECT_EQ(field(2), QStringLiteral(" Landscape"));
    EXPECT_EQ(rebuiltLayouts.last().orientation(), QPageLayout::Landscape);
    EXPECT_EQ(rebuiltLayouts.last().pageSize().id(), QPageSize::Letter);
    EXPECT_EQ(rebuiltLayouts.last().margins(), QMarginsF());

    // Cancelled, the page stays as it was.
    click("SSCommand80_1");
    EXPECT_EQ(field(2), QStringLiteral(" Landscape"));
    EXPECT_EQ(rebuiltLayouts.last().orientation(), QPageLayout::Landscape);
}

TEST_F(PrintOptionsPanelTest, CopyPutsTheCurrentPageOnTheClipboardAndSaysSo)
{
    open();
    QApplication::clipboard()->clear();
    click("SSCommand80_3");
    const QImage copied = QApplication::clipboard()->image();
    EXPECT_FALSE(copied.isNull());
    const QSizeF paper = panel->pageLayout().fullRectPoints().size();
    EXPECT_EQ(copied.size(), (paper * 150 / 72).toSize());
    ASSERT_EQ(messages.messages().size(), 1);
    const Message shown = messages.last();
    EXPECT_EQ(shown.text, QStringLiteral("Current Page has been copied to the Windows Clipboard."));
    EXPECT_EQ(shown.title, QStringLiteral("Copy Option"));
    EXPECT_EQ(shown.icon, MessageService::Icon::Information);
    EXPECT_TRUE(find<QPushButton>("SSCommand80_2")->hasFocus());
}

TEST_F(PrintOptionsPanelTest, PrintingToAFileRepeatsThePagesForEachCopy)
{
    open();
    const QString path = folder.filePath(QStringLiteral("printed.pdf"));
    dialogs.queuePrinter([&](QPrinter& printer) {
        printer.setOutputFileName(path);
        printer.setCopyCount(2);
        return true;
    });
    click("SSCommand80_4");
    EXPECT_TRUE(messages.messages().isEmpty()) << messages.texts().join('|').toStdString();
    const PdfInspection pdf(path);
    EXPECT_EQ(pdf.pageCount(), 4);
    EXPECT_EQ(pdf.pagesWith(QStringLiteral("Page 1")), (QList<int> { 0, 2 }));

    // Landscape reaches the printer too.
    dialogs.queuePageLayout(
        PrintDocument::paperLayout(QPageSize(QPageSize::Letter), QPageLayout::Landscape));
    click("SSCommand80_1");
    dialogs.queuePrinter([&](QPrinter& printer) {
        printer.setOutputFileName(path);
        return true;
    });
    click("SSCommand80_4");
    EXPECT_EQ(PdfInspection(path).info(QStringLiteral("Page size")),
        QStringLiteral("792 x 612 pts (letter)"));

    // A cancelled dialog prints nothing; a failure says why.
    click("SSCommand80_4");
    EXPECT_TRUE(messages.messages().isEmpty());
    dialogs.queuePrinter([&](QPrinter& printer) {
        printer.setOutputFileName(folder.filePath(QStringLiteral("missing/printed.pdf")));
        return true;
    });
    click("SSCommand80_4");
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_TRUE(
        messages.last().text.startsWith(QStringLiteral("The report could not be printed to ")))
        << messages.last().text.toStdString();
    EXPECT_TRUE(messages.last().text.contains(QStringLiteral("No such file or directory")))
        << messages.last().text.toStdString();
    EXPECT_EQ(messages.last().icon, MessageService::Icon::Critical);
}

TEST_F(PrintOptionsPanelTest, SaveAsPdfSuggestsTheReportsNameAndWritesIt)
{
    struct Case {
        PrintPanelProfile profile;
        bool ownerOnly;
    };
    for (const Case& c : { Case { PrintPanelProfile::weightTracker(), false },
             Case { PrintPanelProfile::passwordKeeper(), true } }) {
        open(c.profile);
        messages.clear();
        const QString path = folder.filePath(QStringLiteral("Ann"));
        dialogs.queueSaveFile(path);
        click("SSCommand80_5");
        EXPECT_TRUE(dialogs.suggestedSavePaths().last().endsWith(
            QStringLiteral("/Smith, Ann Weight Tracker Printout.pdf")));
        EXPECT_EQ(PdfInspection(path + QStringLiteral(".pdf")).pageCount(), 2);
        EXPECT_EQ(messages.last().title, QStringLiteral("Save as PDF"));
        EXPECT_EQ(messages.last().icon, MessageService::Icon::Information);
        const bool othersMayRead
            = QFileInfo(path + QStringLiteral(".pdf")).permissions() & QFileDevice::ReadOther;
        EXPECT_EQ(othersMayRead, !c.ownerOnly);
        panel.reset();
    }

    open();
    messages.clear();
    dialogs.queueSaveFile(folder.filePath(QStringLiteral("missing/ann.pdf")));
    click("SSCommand80_5");
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_EQ(messages.last().icon, MessageService::Icon::Critical);
    EXPECT_TRUE(
        messages.last().text.startsWith(QStringLiteral("The report could not be saved as")));
}

TEST_F(PrintOptionsPanelTest, ThePasswordKeepersPanelOpensInItsFixedFontAndOnlyHidesOnClosing)
{
    QFont bold = firstTextBox->font();
    bold.setBold(true);
    firstTextBox->setFont(bold);
    ASSERT_TRUE(fonts().setWeightPrintFontName(QStringLiteral("Arial")));
    open(PrintPanelProfile::passwordKeeper());
    EXPECT_EQ(statuses, (QStringList { QStringLiteral("Print File"), QStringLiteral("Print") }));
    EXPECT_TRUE(optionsMenu.isEnabled());
    EXPECT_EQ(field(0), QStringLiteral("Times New Roman "));
    EXPECT_EQ(field(1), QStringLiteral("12 "));
    EXPECT_FALSE(rebuiltFonts.last().bold);
    const QByteArray stored = folder.read(QStringLiteral("GColor4.Fil"));
    click("SSCommand80_2");
    EXPECT_FALSE(panel->printOptionsOpen());
    EXPECT_EQ(statuses.last(), QStringLiteral("Print"));
    EXPECT_EQ(folder.read(QStringLiteral("GColor4.Fil")), stored);
}

// The dialog offers the face that prints under a name it can list, and the
// text colour Qt's own font dialog lacks.
TEST(PrintFontDialog, StartsFromTheFaceThatPrintsAndReturnsTheColour)
{
    PrintFont initial;
    initial.points = 12;
    initial.underline = true;
    initial.colour = QColor(0, 0, 128);
    const PrintFontDialog dialog(initial);
    const PrintFont chosen = dialog.selectedFont();
    EXPECT_EQ(chosen.family, QStringLiteral("Liberation Serif"));
    EXPECT_EQ(chosen.points, 12);
    EXPECT_TRUE(chosen.underline);
    EXPECT_FALSE(chosen.strikeOut);
    EXPECT_EQ(chosen.colour, QColor(0, 0, 128));
}
