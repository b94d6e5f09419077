#include "HelpWindow.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

HelpWindow::HelpWindow(const ProgramFolder& folder, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_folder(folder)
    , m_browser(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Halvorn Help"));
    m_browser->setObjectName(QStringLiteral("HelpBrowser"));
    m_browser->setAccessibleName(QStringLiteral("Help page"));
    m_browser->setOpenLinks(true);
    // Links to other topics open here; web addresses are not followed from
    // help pages.
    m_browser->setOpenExternalLinks(false);
    m_browser->setSearchPaths({ m_folder.shippedFilePath(QStringLiteral("help")) });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    resize(640, 560);
}

QString HelpWindow::pageFilePath(int context) const
{
    return m_folder.shippedFilePath(QStringLiteral("help")) + QLatin1Char('/')
        + QString::number(context) + QStringLiteral(".html");
}

void HelpWindow::showHelpTopic(int context)
{
    m_currentTopic = context;
    const QString path = pageFilePath(context);
    if (QFileInfo::exists(path)) {
        m_browser->setSource(QUrl::fromLocalFile(path));
    } else {
        m_browser->setHtml(
            QStringLiteral("<h2>Help</h2><p>Help topic %1 could not be found in %2.</p>")
                .arg(context)
                .arg(QDir::toNativeSeparators(m_folder.shippedFilePath(QStringLiteral("help")))
                         .toHtmlEscaped()));
    }
    if (!isVisible() && !m_placed) {
        // First opening: centred on the screen, clear of the menu bar.
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect area = screen->availableGeometry();
            move(area.center() - QPoint(width() / 2, height() / 2));
        }
        m_placed = true;
    }
    show();
    raise();
    activateWindow();
}
