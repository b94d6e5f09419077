#include "PictureOverlay.h"

#include "screens/NamedWidget.h"
#include "screens/ReadableCaption.h"
#include "screens/Twips.h"

#include <QEvent>
#include <QLabel>
#include <QVBoxLayout>

namespace {

constexpr int MarginTwips = 60;

} // namespace

PictureOverlay::PictureOverlay(const QString& name, QWidget* mainPanel)
    : QFrame(mainPanel)
    , m_mainPanel(mainPanel)
{
    setObjectName(name);
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Raised);
    // The controls of the main panel must not show through.
    setAutoFillBackground(true);
    m_caption = named(new QLabel(this), name + QStringLiteral("Caption"));
    QFont font = m_caption->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.2);
    m_caption->setFont(font);
    ReadableCaption::keepReadable(m_caption);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_caption);
    m_body = new QVBoxLayout;
    layout->addLayout(m_body, 1);
    hide();
    m_mainPanel->installEventFilter(this);
}

QString PictureOverlay::caption() const
{
    return m_caption->text();
}

void PictureOverlay::setCaption(const QString& caption)
{
    m_caption->setText(caption);
}

void PictureOverlay::showOverMainPanel()
{
    place();
    show();
    raise();
    // Shown, the panel has laid out its controls for its new size.
    placed();
}

void PictureOverlay::place()
{
    const int left = Twips::toPixelsX(MarginTwips, m_mainPanel);
    const int top = Twips::toPixelsY(MarginTwips, m_mainPanel);
    setGeometry(left, top, m_mainPanel->width() - 2 * left, m_mainPanel->height() - 2 * top);
}

bool PictureOverlay::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_mainPanel && event->type() == QEvent::Resize && isVisible()) {
        place();
        placed();
    }
    return QFrame::eventFilter(watched, event);
}
