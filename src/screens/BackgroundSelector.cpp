#include "BackgroundSelector.h"

#include "screens/BackgroundThumbnail.h"
#include "screens/BusyPointer.h"
#include "screens/NamedWidget.h"
#include "screens/ScreenColour.h"
#include "screens/SystemDialogs.h"
#include "screens/Twips.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int Columns = 8;
const QSize ThumbnailSize(72, 54);
// The selection frame stands this far above and left of its thumbnail.
constexpr int FrameOffsetTwips = 30;

enum Button { ColourButton, DefaultButton, PictureButton, CancelButton };

} // namespace

BackgroundSelector::BackgroundSelector(const ScreenServices& services, const char* buttonArray,
    const QString& note, Target target, QWidget* parent)
    : QFrame(parent)
    , m_services(services)
    , m_target(std::move(target))
{
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setLineWidth(2);
    setAutoFillBackground(true);

    // The thumbnails sit at fixed places so that the selection frame can
    // stand just outside the one marked.
    auto* pictures = new QWidget(this);
    const int gap = 14;
    const int offset = Twips::toPixelsX(FrameOffsetTwips, this) + 2;
    for (int index = 0; index < BackgroundSetting::PictureCount; ++index) {
        auto* thumbnail = named(
            new BackgroundThumbnail(index + 1, pictures), arrayElementName("Image3", index));
        thumbnail->setFixedSize(ThumbnailSize);
        thumbnail->setLineWidth(2);
        thumbnail->move(offset + (index % Columns) * (ThumbnailSize.width() + gap),
            offset + (index / Columns) * (ThumbnailSize.height() + gap));
        thumbnail->setCursor(Qt::PointingHandCursor);
        connect(
            thumbnail, &ClickableImage::clicked, this, [this, index] { previewThumbnail(index); });
        connect(thumbnail, &BackgroundThumbnail::stepRequested, this,
            [this, index](int key) { stepFocus(index, key); });
        m_thumbnails[index] = thumbnail;
    }
    pictures->setAccessibleName(QStringLiteral("Background pictures"));
    pictures->setFixedSize(2 * offset + Columns * ThumbnailSize.width() + (Columns - 1) * gap,
        2 * offset + 2 * ThumbnailSize.height() + gap);
    m_selectionFrame = named(new QFrame(pictures), "Shape2");
    m_selectionFrame->setFrameShape(QFrame::Box);
    m_selectionFrame->setLineWidth(2);
    m_selectionFrame->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_selectionFrame->hide();

    const char* captions[] = { "&Select Color Background", "Use &Default Background",
        "Use &Above Background", "&Cancel" };
    auto* buttons = new QHBoxLayout;
    for (int index = 0; index < 4; ++index) {
        auto* button = named(new QPushButton(QString::fromLatin1(captions[index]), this),
            arrayElementName(buttonArray, index));
        connect(button, &QPushButton::clicked, this, [this, index] { applyChoice(index); });
        buttons->addWidget(button);
        m_buttons[index] = button;
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->addWidget(pictures, 0, Qt::AlignHCenter);
    layout->addLayout(buttons);
    if (!note.isEmpty()) {
        auto* noteLabel = named(new QLabel(note, this), "SelectorNote");
        noteLabel->setAlignment(Qt::AlignCenter);
        layout->addWidget(noteLabel);
    }
    adjustSize();
    hide();
}

void BackgroundSelector::toggle()
{
    if (isOpen()) {
        close();
        return;
    }
    open();
}

void BackgroundSelector::open()
{
    BusyPointerScope busy;
    for (int index = 0; index < BackgroundSetting::PictureCount; ++index) {
        const BackgroundSetting picture = BackgroundSetting::picture(index + 1);
        QPixmap pixmap;
        if (pixmap.load(m_services.folder.shippedFilePath(picture.pictureFileName())))
            m_thumbnails[index]->setPixmap(
                pixmap.scaled(ThumbnailSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        else
            m_thumbnails[index]->empty();
    }
    raiseAll();
    QApplication::processEvents();
    m_selectionFrame->hide();
    m_pendingBackground.clear();
    // Only a thumbnail clicked in this opening can be chosen.
    m_buttons[PictureButton]->setEnabled(false);

    m_target.showStatus(m_target.statusText);
    const int marked = m_target.current().pictureNumber();
    if (marked > 0)
        markThumbnail(marked - 1);
    else
        setTabStop(0);
    adjustSize();
    if (m_target.place)
        m_target.place(this);
    show();
    raise();
    // The keyboard starts where the mouse would look: at the current
    // picture, or the first.
    for (BackgroundThumbnail* thumbnail : m_thumbnails) {
        if (thumbnail->focusPolicy() & Qt::TabFocus)
            thumbnail->setFocus(Qt::OtherFocusReason);
    }
}

void BackgroundSelector::close()
{
    if (!isOpen())
        return;
    hidePanel();
    restoreTarget();
    m_target.showStatus(m_target.idleStatus());
}

void BackgroundSelector::hidePanel()
{
    hide();
    for (BackgroundThumbnail* thumbnail : m_thumbnails)
        thumbnail->empty();
}

void BackgroundSelector::raiseAll()
{
    for (BackgroundThumbnail* thumbnail : m_thumbnails) {
        thumbnail->setFrameShape(QFrame::Panel);
        thumbnail->setFrameShadow(QFrame::Raised);
        thumbnail->setMarked(false);
    }
}

void BackgroundSelector::markThumbnail(int index)
{
    BackgroundThumbnail* thumbnail = m_thumbnails[index];
    thumbnail->setFrameShape(QFrame::NoFrame);
    thumbnail->setMarked(true);
    setTabStop(index);
    const int offset = Twips::toPixelsX(FrameOffsetTwips, this) + 2;
    m_selectionFrame->setGeometry(thumbnail->geometry().adjusted(-offset, -offset, offset, offset));
    m_selectionFrame->show();
    m_selectionFrame->raise();
}

void BackgroundSelector::setTabStop(int index)
{
    for (BackgroundThumbnail* thumbnail : m_thumbnails)
        thumbnail->setTabStop(thumbnail == m_thumbnails[index]);
}

void BackgroundSelector::stepFocus(int from, int key)
{
    const int last = BackgroundSetting::PictureCount - 1;
    int to = from;
    switch (key) {
    case Qt::Key_Left:
        to = from - 1;
        break;
    case Qt::Key_Right:
        to = from + 1;
        break;
    case Qt::Key_Up:
        to = from - Columns;
        break;
    case Qt::Key_Down:
        to = from + Columns;
        break;
    case Qt::Key_Home:
        to = 0;
        break;
    case Qt::Key_End:
        to = last;
        break;
    default:
        return;
    }
    if (to < 0 || to > last)
        return;
    setTabStop(to);
    m_thumbnails[to]->setFocus(Qt::OtherFocusReason);
}

void BackgroundSelector::previewThumbnail(int index)
{
    m_buttons[PictureButton]->setEnabled(true);
    m_selectionFrame->hide();
    raiseAll();
    m_pendingBackground.clear();
    markThumbnail(index);
    const BackgroundSetting picture = BackgroundSetting::picture(index + 1);
    m_target.show(picture);
    m_pendingBackground = picture.pictureName();
    QApplication::processEvents();
}

void BackgroundSelector::restoreTarget()
{
    m_target.show(m_target.current());
}

void BackgroundSelector::applyChoice(int button)
{
    hidePanel();
    switch (button) {
    case ColourButton: {
        const QColor preset = m_target.colourPreset();
        m_target.show(BackgroundSetting::colour(ScreenColour::fromQColor(preset)));
        const std::optional<QColor> chosen
            = m_services.dialogs.chooseColour(preset, m_target.statusText);
        if (chosen)
            m_target.choose(BackgroundSetting::colour(ScreenColour::fromQColor(*chosen)));
        else
            restoreTarget();
        break;
    }
    case DefaultButton:
        m_target.choose(BackgroundSetting::systemDefault());
        break;
    case PictureButton: {
        const BackgroundSetting picture = BackgroundSetting::parse(m_pendingBackground);
        if (picture.pictureNumber() > 0)
            m_target.choose(picture);
        else
            restoreTarget();
        break;
    }
    default:
        restoreTarget();
        break;
    }
    m_pendingBackground.clear();
    QApplication::processEvents();
    m_target.showStatus(m_target.idleStatus());
}
