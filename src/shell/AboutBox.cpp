#include "AboutBox.h"

#include "screens/BusyPointer.h"
#include "screens/SystemDialogs.h"
#include "services/ProgramInfo.h"

#include <QAction>
#include <QEvent>
#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The box sits this far below the main window's centre (200 twips).
constexpr int BelowCentrePixels = 13;

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

} // namespace

AboutBox::AboutBox(const ProgramFolder& folder, SystemDialogs& dialogs, QWidget* mainWindow)
    : QDialog(mainWindow)
    , m_dialogs(dialogs)
    , m_optionsMenu(new QMenu(QStringLiteral("Opt"), this))
{
    setObjectName(QStringLiteral("About1"));
    setWindowTitle(QStringLiteral("About Halvorn"));
    setAttribute(Qt::WA_DeleteOnClose, false);

    m_optionsMenu->setObjectName(QStringLiteral("mO"));
    QAction* ok = m_optionsMenu->addAction(QStringLiteral("OK"));
    ok->setObjectName(QStringLiteral("mOOK"));
    connect(ok, &QAction::triggered, this, &QDialog::accept);
    auto* menuBar = new QMenuBar(this);
    menuBar->addMenu(m_optionsMenu);

    // The swatch whose colour the box takes as its background.
    QLabel* swatch = makeLabel(this, QStringLiteral("Label2"), QString());
    swatch->hide();

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image3"));
    QPixmap pixmap(folder.shippedFilePath(ProgramInfo::pictureFileName()));
    if (!pixmap.isNull())
        picture->setPixmap(pixmap.scaled(96, 96, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    picture->setFixedSize(96, 96);
    picture->setCursor(Qt::PointingHandCursor);
    picture->setToolTip(ProgramInfo::associationWebSite());
    picture->installEventFilter(this);

    QLabel* title = makeLabel(this, QStringLiteral("Label1_0"),
        ProgramInfo::name() + QLatin1Char('\n') + ProgramInfo::version());
    QFont titleFont(QStringLiteral("Times New Roman"));
    titleFont.setPointSize(16);
    titleFont.setBold(true);
    title->setFont(titleFont);

    QLabel* notices = makeLabel(this, QStringLiteral("Label1_1"),
        QStringLiteral("Made by %1 for households that keep their own records.\n"
                       "Your weight, blood-pressure and password files stay in the "
                       "program's folder on this computer.\n"
                       "This program is no substitute for medical advice.")
            .arg(ProgramInfo::makerName()));
    notices->setWordWrap(true);
    // A wrapped label needs a set width to report its height.
    notices->setFixedWidth(320);

    QLabel* caption = makeLabel(this, QStringLiteral("Label3"), ProgramInfo::makerName());
    caption->installEventFilter(this);

    QLabel* webCaption = makeLabel(this, QStringLiteral("Label4"), QStringLiteral("Web Site:"));
    QLabel* webLink = makeLabel(this, QStringLiteral("Label5"), ProgramInfo::makerWebSite());
    webLink->setCursor(Qt::PointingHandCursor);
    QFont linkFont = webLink->font();
    linkFont.setUnderline(true);
    webLink->setFont(linkFont);
    webLink->setStyleSheet(QStringLiteral("color: #0000c0;"));
    webLink->installEventFilter(this);

    auto* okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setObjectName(QStringLiteral("Command1"));
    okButton->setDefault(true);
    okButton->installEventFilter(this);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* texts = new QVBoxLayout;
    texts->addWidget(title);
    texts->addWidget(caption);
    texts->addSpacing(8);
    texts->addWidget(notices);
    auto* web = new QHBoxLayout;
    web->addWidget(webCaption);
    web->addWidget(webLink);
    web->addStretch();
    texts->addLayout(web);

    auto* top = new QHBoxLayout;
    top->addWidget(picture, 0, Qt::AlignTop);
    top->addLayout(texts, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton);

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar);
    layout->addLayout(top);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();

    setAutoFillBackground(true);
    QPalette boxPalette = palette();
    boxPalette.setColor(QPalette::Window, swatch->palette().color(QPalette::Window));
    setPalette(boxPalette);

    if (mainWindow != nullptr)
        placeOver(*mainWindow);
}

void AboutBox::placeOver(const QWidget& mainWindow)
{
    const QRect main = mainWindow.frameGeometry();
    move(main.width() / 2 + main.left() - width() / 2,
        main.height() / 2 + main.top() - height() / 2 + BelowCentrePixels);
}

bool AboutBox::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const QString name = watched->objectName();
        if (mouse->button() == Qt::RightButton
            && (name == QLatin1String("Command1") || name == QLatin1String("Label3"))) {
            m_optionsMenu->popup(mouse->globalPosition().toPoint());
            return true;
        }
        if (mouse->button() == Qt::LeftButton && name == QLatin1String("Label5")) {
            m_dialogs.openUrl(ProgramInfo::makerWebSite());
            return true;
        }
        if (mouse->button() == Qt::LeftButton && name == QLatin1String("Image3")) {
            m_dialogs.openUrl(ProgramInfo::associationWebSite());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void AboutBox::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        BusyPointerOff();
    QDialog::changeEvent(event);
}
