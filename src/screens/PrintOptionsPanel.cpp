#include "PrintOptionsPanel.h"

#include "print/PdfFile.h"
#include "print/PrintRenderer.h"
#include "screens/BusyPointer.h"
#include "screens/NamedWidget.h"
#include "screens/PrintPanelSettings.h"
#include "screens/ShellState.h"
#include "screens/ShowFailure.h"
#include "screens/SystemDialogs.h"
#include "screens/Twips.h"
#include "services/MessageService.h"

#include <QAction>
#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QSignalBlocker>
#include <QStandardPaths>
#include <QVBoxLayout>

#include <cmath>

namespace {

constexpr int CopyDotsPerInch = 150;
// Auto Size never leaves these sizes, whatever a font measures.
constexpr double SmallestAutoSize = 1;
constexpr double LargestAutoSize = 400;
constexpr int PanelTopTwips = 60;
constexpr int EnlargedMarginTwips = 75;
const QString SampleText = QStringLiteral("AaBbYyZz");

QLabel* fieldPanel(QWidget* parent, const QString& name)
{
    auto* field = named(new QLabel(parent), name);
    field->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    field->setMinimumWidth(120);
    return field;
}

QString sizeText(double points)
{
    return QString::number(points, 'g', 7);
}

} // namespace

PrintOptionsPanel::PrintOptionsPanel(const ScreenServices& services, PrintPanelProfile profile,
    QWidget* reportOptions, Rebuild rebuild, QWidget* parent)
    : QFrame(parent)
    , m_services(services)
    , m_profile(std::move(profile))
    , m_settings(services.folder, m_profile.function)
    , m_rebuild(std::move(rebuild))
    , m_layout(PrintDocument::paperLayout(PrintDocument::defaultPaper()))
    , m_document(m_layout)
{
    setObjectName(QStringLiteral("SSPanel80"));
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setAutoFillBackground(true);
    m_previewPrinter = new QPrinter(QPrinter::HighResolution);
    m_previewPrinter->setFullPage(true);
    m_previewPrinter->setPageLayout(m_layout);
    buildControls(reportOptions);
    hide();
    if (parent)
        parent->installEventFilter(this);

    // The stored guide-line option is selected, not stored again.
    const bool on = m_settings.guideLinesOn();
    m_loadingGuideLines = true;
    (on ? m_showGuides : m_hideGuides)->setChecked(true);
    m_loadingGuideLines = false;
}

PrintOptionsPanel::~PrintOptionsPanel()
{
    // The preview paints through the printer until it goes.
    delete m_preview;
    delete m_previewPrinter;
}

void PrintOptionsPanel::buildControls(QWidget* reportOptions)
{
    m_preview = named(new QPrintPreviewWidget(m_previewPrinter, this), "VSPrinter1");
    // The pages are shown by a view inside the preview, which takes the focus.
    m_preview->setAccessibleName(QStringLiteral("Print preview"));
    for (QWidget* part : m_preview->findChildren<QWidget*>()) {
        if (part->focusPolicy() & Qt::TabFocus)
            part->setAccessibleName(m_preview->accessibleName());
    }
    m_preview->setZoomMode(QPrintPreviewWidget::FitInView);
    connect(
        m_preview, &QPrintPreviewWidget::paintRequested, this, &PrintOptionsPanel::paintPreview);

    m_column = named(new QWidget(this), "PrintOptionsColumn");
    auto* title = named(new QLabel(QStringLiteral("Print Options"), m_column), "SSPanel80Caption");
    QFont titleFont = title->font();
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->setAlignment(Qt::AlignCenter);

    const QString captions[] { QStringLiteral("Printer &Font"), QStringLiteral("&Page Setup"),
        QStringLiteral("&Exit Print Options"), QStringLiteral("C&opy Current Page"),
        QStringLiteral("&Print"), QStringLiteral("Save as P&DF...") };
    QPushButton* commands[6];
    for (int i = 0; i < 6; ++i)
        commands[i]
            = named(new QPushButton(captions[i], m_column), arrayElementName("SSCommand80", i));
    m_exitButton = commands[2];
    connect(commands[0], &QPushButton::clicked, this, &PrintOptionsPanel::chooseFont);
    connect(commands[1], &QPushButton::clicked, this, &PrintOptionsPanel::pageSetup);
    connect(commands[2], &QPushButton::clicked, this, &PrintOptionsPanel::exitPrintOptions);
    connect(commands[3], &QPushButton::clicked, this, &PrintOptionsPanel::copyCurrentPage);
    connect(commands[4], &QPushButton::clicked, this, &PrintOptionsPanel::print);
    connect(commands[5], &QPushButton::clicked, this, &PrintOptionsPanel::saveAsPdf);

    m_fontName = fieldPanel(m_column, arrayElementName("Panel3D80", 0));
    m_fontSize = fieldPanel(m_column, arrayElementName("Panel3D80", 1));
    m_orientation = fieldPanel(m_column, arrayElementName("Panel3D80", 2));
    m_orientation->setText(orientationText());
    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("Printer Font:"), m_column), 0, 0);
    fields->addWidget(m_fontName, 0, 1);
    fields->addWidget(new QLabel(QStringLiteral("Font Size:"), m_column), 1, 0);
    fields->addWidget(m_fontSize, 1, 1);
    fields->addWidget(new QLabel(QStringLiteral("Orientation:"), m_column), 2, 0);
    fields->addWidget(m_orientation, 2, 1);

    auto* sampleFrame = named(new QGroupBox(QStringLiteral("Sample"), m_column), "Frame82");
    m_sample = named(new QLabel(SampleText, sampleFrame), "Panel3d82");
    m_sample->setAlignment(Qt::AlignCenter);
    m_sample->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_sample->setFixedHeight(60);
    (new QVBoxLayout(sampleFrame))->addWidget(m_sample);

    auto* guides = named(new QGroupBox(m_column), "Frame83");
    m_hideGuides = named(new QRadioButton(QStringLiteral("Do Not Display Guide Lines"), guides),
        arrayElementName("SSOption82", 0));
    m_showGuides = named(new QRadioButton(QStringLiteral("Display Guide Lines"), guides),
        arrayElementName("SSOption82", 1));
    auto* guidesLayout = new QVBoxLayout(guides);
    guidesLayout->addWidget(m_hideGuides);
    guidesLayout->addWidget(m_showGuides);
    connect(m_showGuides, &QRadioButton::toggled, this, &PrintOptionsPanel::setGuideLinesShown);

    // Two columns, so that the panel fits a screen 600 pixels high: the
    // commands, and under them the zoom buttons; beside them the font, the
    // guide lines and the report's options.
    m_commands = new QWidget(m_column);
    auto* commandColumn = new QVBoxLayout(m_commands);
    commandColumn->setContentsMargins(0, 0, 0, 0);
    commandColumn->addWidget(title);
    for (int i = 0; i < 6; ++i)
        commandColumn->addWidget(commands[i]);
    commandColumn->addStretch(1);
    // The zoom buttons stand at the column's foot but belong to the panel,
    // so that they stay in front of the enlarged preview.
    commandColumn->addSpacing(2 * QPushButton().sizeHint().height() + 12);
    m_commands->setFixedWidth(m_commands->sizeHint().width());

    auto* settingsColumn = new QVBoxLayout;
    settingsColumn->addLayout(fields);
    settingsColumn->addWidget(sampleFrame);
    settingsColumn->addWidget(guides);
    if (reportOptions) {
        reportOptions->setParent(m_column);
        settingsColumn->addWidget(reportOptions);
    }
    settingsColumn->addStretch(1);

    auto* columns = new QHBoxLayout(m_column);
    columns->setContentsMargins(0, 0, 0, 0);
    columns->addWidget(m_commands);
    columns->addLayout(settingsColumn);

    m_zoomButton = named(new QPushButton(QStringLiteral("Enlarge"), this), "SSCommand1");
    m_autoSizeButton = named(new QPushButton(QStringLiteral("Auto Size"), this), "SSCommand2");
    connect(m_zoomButton, &QPushButton::clicked, this, &PrintOptionsPanel::toggleZoom);
    connect(m_autoSizeButton, &QPushButton::clicked, this, &PrintOptionsPanel::autoSize);
}

// --- geometry --------------------------------------------------------------

void PrintOptionsPanel::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    layOut();
}

bool PrintOptionsPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parent() && event->type() == QEvent::Resize && isVisible())
        fitToParent();
    return QFrame::eventFilter(watched, event);
}

void PrintOptionsPanel::fitToParent()
{
    auto* host = parentWidget();
    if (!host)
        return;
    const int top = m_profile.movesToTop ? Twips::toPixelsY(PanelTopTwips, this) : qMax(0, y());
    setGeometry(0, top, host->width(), qMax(0, host->height() - top));
}

void PrintOptionsPanel::layOut()
{
    const int margin = 6;
    const int columnWidth = m_column->sizeHint().width();
    const int columnLeft = width() - columnWidth - margin;
    const int inner = height() - 2 * margin;
    m_column->setGeometry(columnLeft, margin, columnWidth, inner);
    m_normalWidth = qMax(0, columnLeft - 2 * margin);
    const int buttonHeight = m_zoomButton->sizeHint().height();
    const int bottom = margin + inner;
    const int commandsWidth = m_commands->width();
    if (m_enlarged) {
        // The enlarged preview spans the column; the zoom buttons stand in a
        // row under it, clear of the page they would otherwise hide.
        const int previewWidth = qMax(0, width() - Twips::toPixelsX(EnlargedMarginTwips, this));
        const int rowTop = bottom - buttonHeight;
        m_preview->setGeometry(margin, margin, previewWidth, qMax(0, rowTop - 6 - margin));
        const int right = qMin(margin + previewWidth, width() - margin);
        m_autoSizeButton->setGeometry(right - commandsWidth, rowTop, commandsWidth, buttonHeight);
        m_zoomButton->setGeometry(
            right - 2 * commandsWidth - 6, rowTop, commandsWidth, buttonHeight);
    } else {
        m_preview->setGeometry(margin, margin, m_normalWidth, inner);
        m_autoSizeButton->setGeometry(
            columnLeft, bottom - buttonHeight, commandsWidth, buttonHeight);
        m_zoomButton->setGeometry(
            columnLeft, bottom - 2 * buttonHeight - 6, commandsWidth, buttonHeight);
    }
    if (m_enlarged)
        m_preview->raise();
    m_zoomButton->raise();
    m_autoSizeButton->raise();
}

void PrintOptionsPanel::setPanelColour(const QColor& colour)
{
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, colour);
    setPalette(palette);
    m_preview->setPalette(palette);
}

QString PrintOptionsPanel::orientationText() const
{
    return m_layout.orientation() == QPageLayout::Landscape ? QStringLiteral(" Landscape")
                                                            : QStringLiteral(" Portrait");
}

void PrintOptionsPanel::focusExit()
{
    m_exitButton->setFocus();
}

// --- the print font ----------------------------------------------------------

PrintFont PrintOptionsPanel::printFont() const
{
    const ShellState& state = m_services.state;
    PrintFont font;
    // Nothing stored means the screen's own face, which counts as "MS Sans
    // Serif" on every screen here: the report prints in Times New Roman.
    if (!state.PrintFontName.trimmed().isEmpty())
        font.family = state.PrintFontName;
    font.points = state.PrintFontSize;
    font.bold = state.PrintFontBold;
    font.italic = state.PrintFontItalic;
    font.underline = state.PrintFontUnderline;
    font.strikeOut = state.PrintFontStrikethrough;
    font.colour = state.PrintFontColour;
    return font;
}

void PrintOptionsPanel::readStoredFont()
{
    ShellState& state = m_services.state;
    m_settings.readFont(state);
    if (m_profile.fixedFontName)
        state.PrintFontName = *m_profile.fixedFontName;
    if (m_profile.fixedFontSize) {
        state.PrintFontSize = *m_profile.fixedFontSize;
        state.PrintFontSizeSingle = false;
    }
}

void PrintOptionsPanel::showFontFields()
{
    const ShellState& state = m_services.state;
    m_fontName->setText(state.PrintFontName + QLatin1Char(' '));
    m_fontSize->setText(sizeText(state.PrintFontSize) + QLatin1Char(' '));
    const PrintFont font = printFont();
    QFont sample(font.family);
    sample.setPointSizeF(font.points);
    sample.setBold(font.bold);
    sample.setItalic(font.italic);
    sample.setUnderline(font.underline);
    sample.setStrikeOut(font.strikeOut);
    m_sample->setFont(sample);
    QPalette palette = m_sample->palette();
    palette.setColor(QPalette::WindowText, font.colour);
    m_sample->setPalette(palette);
}

// --- commands ------------------------------------------------------------

void PrintOptionsPanel::open()
{
    if (m_profile.trackerClosing && m_optionsMenu)
        m_optionsMenu->setEnabled(false);
    for (const QString& status : std::as_const(m_profile.openingStatus))
        emit statusChanged(status);
    readStoredFont();
    QCoreApplication::processEvents();
    ShellState& state = m_services.state;
    if (m_profile.styleFromFirstTextBox && m_firstTextBox) {
        state.PrintFontBold = m_firstTextBox->font().bold();
        state.PrintFontItalic = m_firstTextBox->font().italic();
    } else if (!m_profile.styleFromFirstTextBox) {
        state.PrintFontBold = false;
        state.PrintFontItalic = false;
    }
    showFontFields();
    fitToParent();
    show();
    raise();
    layOut();
    focusExit();
    rebuildPreview();
}

void PrintOptionsPanel::rebuildPreview()
{
    BusyPointerScope busy;
    m_previewPrinter->setPageLayout(m_layout);
    m_document = m_rebuild ? m_rebuild(m_layout, printFont()) : PrintDocument(m_layout);
    m_preview->updatePreview();
}

void PrintOptionsPanel::paintPreview(QPrinter* printer)
{
    PrintRenderer::Options options;
    options.guideLines = m_guideLines;
    // A page the preview cannot paint is left blank; printing says why.
    static_cast<void>(PrintRenderer::render(m_document, *printer, options));
}

void PrintOptionsPanel::chooseFont()
{
    const std::optional<PrintFont> chosen
        = m_services.dialogs.choosePrintFont(printFont(), QStringLiteral("Font"));
    if (!chosen)
        return;
    ShellState& state = m_services.state;
    state.PrintFontName = chosen->family;
    state.PrintFontSize = chosen->points;
    state.PrintFontSizeSingle = true;
    state.PrintFontBold = chosen->bold;
    state.PrintFontItalic = chosen->italic;
    state.PrintFontUnderline = chosen->underline;
    state.PrintFontStrikethrough = chosen->strikeOut;
    state.PrintFontColour = chosen->colour;
    showFontFields();
    rebuildPreview();
}

void PrintOptionsPanel::pageSetup()
{
    const std::optional<QPageLayout> chosen
        = m_services.dialogs.choosePageLayout(m_layout, QStringLiteral("Page Setup"));
    if (chosen)
        m_layout = PrintDocument::paperLayout(chosen->pageSize(), chosen->orientation());
    m_orientation->setText(orientationText());
    QCoreApplication::processEvents();
    rebuildPreview();
}

void PrintOptionsPanel::exitPrintOptions()
{
    hide();
    if (m_profile.trackerClosing) {
        if (Outcome stored = m_settings.storeFont(m_services.state); !stored)
            showSettingFailure(
                m_services.messages, stored, QStringLiteral("print font"), QStringLiteral("Print"));
        QCoreApplication::processEvents();
        emit statusChanged(QString());
        if (m_optionsMenu)
            m_optionsMenu->setEnabled(true);
    } else {
        QCoreApplication::processEvents();
    }
    emit closed();
}

void PrintOptionsPanel::copyCurrentPage()
{
    const int page = qBound(1, m_preview->currentPage(), m_document.pageCount());
    const QImage image = PrintRenderer::pageImage(m_document, page - 1, CopyDotsPerInch);
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setImage(image);
    if (clipboard->image().isNull()) {
        showFailure(m_services.messages,
            Outcome::failed(
                QStringLiteral("The current page could not be copied to the Clipboard.")),
            QStringLiteral("Copy Option"));
    } else {
        m_services.messages.inform(
            QStringLiteral("Current Page has been copied to the Windows Clipboard."),
            QStringLiteral("Copy Option"));
    }
    focusExit();
}

void PrintOptionsPanel::print()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setFullPage(true);
    printer.setPageLayout(m_layout);
    printer.setDocName(m_document.title());
    if (!m_services.dialogs.choosePrinter(printer, QStringLiteral("Print")))
        return;

    PrintRenderer::Options options;
    options.fitToPrintableArea = printer.outputFormat() == QPrinter::NativeFormat;
    // Without a driver that makes copies (none does for a PDF) the pages
    // are sent once per copy.
    if (!printer.supportsMultipleCopies()) {
        options.copies = printer.copyCount();
        printer.setCopyCount(1);
    }
    if (printer.printRange() == QPrinter::PageRange) {
        options.firstPage = printer.fromPage();
        options.lastPage = printer.toPage();
    }

    // A password printout written to a file is readable by its owner only
    // from its first byte: the printer opens the file it finds and keeps
    // its permissions.
    if (m_profile.ownerOnlyPdf && !printer.outputFileName().isEmpty())
        PdfFile::prepareOwnerOnly(printer.outputFileName());

    Outcome printed;
    {
        BusyPointerScope busy;
        printed = PrintRenderer::render(m_document, printer, options);
    }
    if (printed)
        return;
    QString reason = printed.reason;
    const QString target = printer.outputFileName().isEmpty()
        ? printer.printerName()
        : QDir::toNativeSeparators(printer.outputFileName());
    if (!printer.outputFileName().isEmpty()) {
        QFile probe(printer.outputFileName());
        if (!probe.open(QIODevice::WriteOnly | QIODevice::Append))
            reason = probe.errorString();
    }
    showFailure(m_services.messages,
        Outcome::failed(
            QStringLiteral("The report could not be printed to %1:\n%2").arg(target, reason)),
        QStringLiteral("Print"));
}

void PrintOptionsPanel::saveAsPdf()
{
    // The documents folder, or the home folder where there is none.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!QDir(folder).exists())
        folder = QDir::homePath();
    const QString suggested = QDir(folder).filePath(PdfFile::fileNameFor(m_document.title()));
    std::optional<QString> path = m_services.dialogs.chooseSaveFile(
        QStringLiteral("Save as PDF"), suggested, QStringLiteral("PDF files (*.pdf)"));
    if (!path)
        return;
    if (QFileInfo(*path).suffix().isEmpty())
        path = *path + QStringLiteral(".pdf");
    Outcome saved;
    {
        BusyPointerScope busy;
        saved = PdfFile::save(m_document, *path, m_profile.ownerOnlyPdf);
    }
    if (saved)
        m_services.messages.inform(
            QStringLiteral("The report has been saved as\n%1").arg(QDir::toNativeSeparators(*path)),
            QStringLiteral("Save as PDF"));
    else
        showFailure(m_services.messages,
            Outcome::failed(QStringLiteral("The report could not be saved as\n%1\n%2")
                                .arg(QDir::toNativeSeparators(*path), saved.reason)),
            QStringLiteral("Save as PDF"));
    focusExit();
}

void PrintOptionsPanel::setGuideLinesShown(bool shown)
{
    const QSignalBlocker blocker(m_showGuides);
    (shown ? m_showGuides : m_hideGuides)->setChecked(true);
    m_guideLines = shown;
    if (!m_loadingGuideLines) {
        if (Outcome stored = m_settings.setGuideLines(shown); !stored)
            showSettingFailure(m_services.messages, stored, QStringLiteral("guide lines setting"),
                QStringLiteral("Print"));
    }
    m_preview->updatePreview();
}

void PrintOptionsPanel::toggleZoom()
{
    m_enlarged = !m_enlarged;
    m_zoomButton->setText(m_enlarged ? QStringLiteral("Normal") : QStringLiteral("Enlarge"));
    m_preview->setZoomMode(
        m_enlarged ? QPrintPreviewWidget::FitToWidth : QPrintPreviewWidget::FitInView);
    layOut();
    if (!m_enlarged)
        focusExit();
}

void PrintOptionsPanel::autoSize()
{
    ShellState& state = m_services.state;
    PrintFont font = printFont();
    const qreal printable = PrintDocument(m_layout).pageWidth();
    auto width
        = [&] { return QFontMetricsF(font.twipsFont()).horizontalAdvance(m_profile.autoSizeText); };
    while (printable > width() && font.points < LargestAutoSize) {
        font.points += 1;
        QCoreApplication::processEvents();
    }
    while (printable < width() && font.points > SmallestAutoSize)
        font.points -= 1;
    state.PrintFontSize = std::floor(font.points);
    state.PrintFontSizeSingle = true;
    showFontFields();
    m_zoomButton->raise();
    m_autoSizeButton->raise();
    focusExit();
    rebuildPreview();
}

bool PrintOptionsPanel::escape()
{
    if (!isVisible())
        return false;
    if (m_enlarged)
        toggleZoom();
    else
        exitPrintOptions();
    return true;
}
