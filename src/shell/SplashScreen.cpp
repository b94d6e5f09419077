#include "SplashScreen.h"

#include "services/Clock.h"
#include "services/ProgramInfo.h"

#include <QApplication>
#include <QFont>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QThread>
#include <QVBoxLayout>
#include <QWindow>

namespace {

QLabel* makeLabel(
    QWidget* parent, const QString& name, const QString& text, int pointSize, bool bold)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    QFont font(QStringLiteral("Times New Roman"));
    font.setPointSize(pointSize);
    font.setBold(bold);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

SplashScreen::SplashScreen(const ProgramFolder& folder, Clock& clock, QWidget* parent)
    : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
    , m_clock(clock)
{
    setObjectName(QStringLiteral("Splash1"));
    setModal(true);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("SSPanel1"));
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    panel->setLineWidth(3);

    auto* picture = new QLabel(panel);
    picture->setObjectName(QStringLiteral("Image2"));
    QPixmap pixmap(folder.shippedFilePath(ProgramInfo::pictureFileName()));
    if (!pixmap.isNull())
        picture->setPixmap(pixmap.scaled(128, 128, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    picture->setFixedSize(128, 128);

    auto* texts = new QVBoxLayout;
    texts->addStretch();
    texts->addWidget(makeLabel(panel, QStringLiteral("Label9"), ProgramInfo::name(), 28, true));
    texts->addWidget(makeLabel(panel, QStringLiteral("Label7"), ProgramInfo::version(), 14, false));
    texts->addSpacing(16);
    texts->addWidget(
        makeLabel(panel, QStringLiteral("Label1"), ProgramInfo::makerName(), 12, false));
    texts->addStretch();

    auto* panelLayout = new QHBoxLayout(panel);
    panelLayout->setContentsMargins(24, 24, 24, 24);
    panelLayout->setSpacing(24);
    panelLayout->addWidget(picture);
    panelLayout->addLayout(texts, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(panel);
    setFixedSize(460, 220);
}

void SplashScreen::run()
{
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.left() + (area.width() - width()) / 2,
            area.top() + (area.height() - height()) / 2);
    }
    show();
    raise();
    // Let the window appear and paint before the pauses block the thread;
    // a window system maps the window only after a few round trips.
    for (int attempt = 0; attempt < 20; ++attempt) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        if (windowHandle() != nullptr && windowHandle()->isExposed())
            break;
        QThread::msleep(10);
    }
    repaint();
    QApplication::processEvents();
    m_clock.pauseTwoSeconds();
    m_clock.pauseTwoSeconds();
    QApplication::processEvents();
    close();
}
