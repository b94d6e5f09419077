#pragma once

#include "print/PrintDocument.h"
#include "print/PrintFont.h"
#include "screens/PrintPanelProfile.h"
#include "screens/PrintPanelSettings.h"
#include "screens/ScreenServices.h"

#include <QFrame>
#include <QPageLayout>

#include <functional>

class QAction;
class QLabel;
class QPrintPreviewWidget;
class QPrinter;
class QPushButton;
class QRadioButton;

// The print options panel of a function screen: the report's preview on the
// left; on the right the print font, size and orientation with a sample,
// the guide-line option, the function's own report options, and the
// commands that change the font, set up the page, copy the current page,
// print, save a PDF, enlarge the preview and fit the font to the page.
//
// A screen plugs in with its profile, the widget holding its report options
// (which the panel places and owns) and the rebuild callback that lays its
// report out for a page layout and print font. The screen does its own
// checks before calling open(), and rebuilds through rebuildPreview() when
// one of its report options changes.
class PrintOptionsPanel : public QFrame
{
    Q_OBJECT

public:
    using Rebuild = std::function<PrintDocument(const QPageLayout&, const PrintFont&)>;

    // Reads the stored guide-line option without writing it. The panel
    // starts hidden, in portrait on the default printer's paper.
    PrintOptionsPanel(const ScreenServices& services, PrintPanelProfile profile,
        QWidget* reportOptions, Rebuild rebuild, QWidget* parent);
    ~PrintOptionsPanel() override;

    // The screen's "&Options" menu, disabled while the panel is open (on the
    // trackers), and its first text box, whose bold and italic the print
    // font takes when the panel opens.
    void setOptionsMenu(QAction* optionsMenu) { m_optionsMenu = optionsMenu; }
    void setFirstTextBox(const QWidget* box) { m_firstTextBox = box; }

    bool printOptionsOpen() const { return isVisible(); }
    bool enlarged() const { return m_enlarged; }
    bool guideLinesShown() const { return m_guideLines; }

    // The page layout (margins 0) and the print font the report is laid out
    // with, and the document now in the preview.
    const QPageLayout& pageLayout() const { return m_layout; }
    PrintFont printFont() const;
    const PrintDocument& document() const { return m_document; }
    QPrintPreviewWidget* preview() const { return m_preview; }

    // The surroundings of the preview take the function's panel colour.
    void setPanelColour(const QColor& colour);

    // --- commands --------------------------------------------------------
    void open();
    void chooseFont();
    void pageSetup();
    void exitPrintOptions();
    void copyCurrentPage();
    void print();
    void saveAsPdf();
    void setGuideLinesShown(bool shown);
    void toggleZoom();
    void autoSize();
    void rebuildPreview();
    // Escape: the enlarged preview goes back to its normal size, else the
    // panel closes. False when the panel was not open.
    bool escape();

signals:
    // The status bar's text while the panel works; an empty text gives the
    // status bar back to the screen.
    void statusChanged(const QString& text);
    void closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildControls(QWidget* reportOptions);
    void layOut();
    void fitToParent();
    void readStoredFont();
    void showFontFields();
    void paintPreview(QPrinter* printer);
    void focusExit();
    QString orientationText() const;

    ScreenServices m_services;
    PrintPanelProfile m_profile;
    PrintPanelSettings m_settings;
    Rebuild m_rebuild;
    QAction* m_optionsMenu = nullptr;
    const QWidget* m_firstTextBox = nullptr;

    QPageLayout m_layout;
    PrintDocument m_document;
    bool m_guideLines = false;
    bool m_enlarged = false;
    // The preview's width at normal size; each panel keeps its own.
    int m_normalWidth = 0;
    // Loading the stored guide-line option must not store it again.
    bool m_loadingGuideLines = false;

    QPrinter* m_previewPrinter;
    QPrintPreviewWidget* m_preview; // VSPrinter1
    QWidget* m_column;
    QWidget* m_commands;
    QLabel* m_fontName; // Panel3D80(0)
    QLabel* m_fontSize; // Panel3D80(1)
    QLabel* m_orientation; // Panel3D80(2)
    QLabel* m_sample; // Panel3d82
    QRadioButton* m_hideGuides; // SSOption82(0)
    QRadioButton* m_showGuides; // SSOption82(1)
    QPushButton* m_exitButton; // SSCommand80(2)
    QPushButton* m_zoomButton; // SSCommand1
    QPushButton* m_autoSizeButton; // SSCommand2
};
