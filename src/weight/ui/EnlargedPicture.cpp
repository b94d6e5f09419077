#include "EnlargedPicture.h"

#include "screens/ClickableImage.h"
#include "screens/NamedWidget.h"
#include "screens/PictureFile.h"
#include "weight/ui/PictureBounds.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

EnlargedPicture::EnlargedPicture(QWidget* mainPanel)
    : PictureOverlay(QStringLiteral("SSPanel13"), mainPanel)
{
    for (int i = 0; i < 3; ++i) {
        m_labels[i] = named(new QLabel(this), arrayElementName("Label25", i));
        QFont font = m_labels[i]->font();
        font.setBold(true);
        m_labels[i]->setFont(font);
    }
    m_labels[1]->hide();
    m_picture = named(new ClickableImage(ClickableImage::Border::None, this), "Image6");
    m_picture->setCursor(Qt::PointingHandCursor);
    m_close = named(new QPushButton(QStringLiteral("&Close"), this), "SSCommand7");

    auto* labels = new QHBoxLayout;
    labels->addWidget(m_labels[0]);
    labels->addStretch(1);
    labels->addWidget(m_labels[1]);
    labels->addStretch(1);
    labels->addWidget(m_labels[2]);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_close);
    body()->addLayout(labels);
    body()->addStretch(1);
    body()->addLayout(buttons);

    connect(m_close, &QPushButton::clicked, this, &QWidget::hide);
    connect(m_picture, &ClickableImage::clicked, this, &QWidget::hide);
}

bool EnlargedPicture::showPicture(const PictureFile& file, const QString& caption,
    const QString& pictureName, const QString& dateTaken)
{
    const QSize natural = file.naturalSize();
    if (!natural.isValid())
        return false;
    const QSize size = PictureBounds::Enlarged.shownSize(natural, mainPanel());
    const QImage image = m_picture->decode(file, size);
    if (image.isNull())
        return false;
    m_picture->showImage(image, size);
    setCaption(caption);
    m_labels[0]->setText(pictureName);
    m_labels[2]->setText(dateTaken);
    showOverMainPanel();
    m_close->setFocus();
    return true;
}

void EnlargedPicture::placed()
{
    placePicture();
}

void EnlargedPicture::placePicture()
{
    // Centred on the main panel, whatever the view's own margins.
    const QWidget* panel = mainPanel();
    const QPoint centre(
        panel->width() / 2 - m_picture->width() / 2, panel->height() / 2 - m_picture->height() / 2);
    m_picture->move(centre - pos());
}
