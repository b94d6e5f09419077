#include "ProgressPictures.h"

#include "screens/ClickableImage.h"
#include "screens/NamedWidget.h"
#include "screens/PictureFile.h"
#include "screens/ShowFailure.h"
#include "services/MessageService.h"
#include "storage/GColor14File.h"
#include "weight/PictureReference.h"
#include "weight/WeightFile.h"
#include "weight/ui/EnlargedPicture.h"
#include "weight/ui/PictureBounds.h"
#include "weight/ui/PictureBrowser.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const std::array<QString, 2> PictureNames
    = { QStringLiteral("Beginning Picture"), QStringLiteral("Current Picture") };

} // namespace

ProgressPictures::ProgressPictures(const ScreenServices& services, QWidget* mainPanel,
    std::array<QLineEdit*, 2> dateBoxes, const QLineEdit* nameBox, const QComboBox* individualBox,
    QWidget* parent)
    : QGroupBox(QStringLiteral("Beginning and Current Photos"), parent)
    , m_services(services)
    , m_mainPanel(mainPanel)
    , m_dateBoxes(dateBoxes)
    , m_nameBox(nameBox)
    , m_individualBox(individualBox)
{
    setObjectName(QStringLiteral("SSFrame3"));
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(buildHalf(Beginning, PictureNames[Beginning]), 1);
    layout->addWidget(buildHalf(Current, QStringLiteral("Current Picture   ")), 1);

    m_browser = new PictureBrowser(m_services.folder, m_mainPanel);
    m_enlarged = new EnlargedPicture(m_mainPanel);
    connect(m_browser, &PictureBrowser::enterClicked, this, &ProgressPictures::enterPicture);
    connect(m_browser, &PictureBrowser::exitClicked, this,
        &ProgressPictures::exitWithoutEnteringPicture);
    connect(
        m_browser, &PictureBrowser::deleteClicked, this, &ProgressPictures::exitAndDeletePicture);
    connect(m_browser, &PictureBrowser::previewClicked, this, &ProgressPictures::enlargePreview);
    connect(m_browser, &PictureBrowser::folderRefused, this, [this](const QString& typed) {
        m_services.messages.warn(QStringLiteral("There is no folder that can be opened at\n%1")
                                     .arg(QDir::toNativeSeparators(typed)),
            QStringLiteral("Path"));
    });
    m_mainPanel->installEventFilter(this);
}

QWidget* ProgressPictures::buildHalf(int picture, const QString& title)
{
    auto* half = new QWidget(this);
    m_titles[picture] = named(new QLabel(title, half), arrayElementName("Label3", 7 + picture));
    QFont bold = m_titles[picture]->font();
    bold.setBold(true);
    m_titles[picture]->setFont(bold);
    m_addEdit[picture] = named(
        new QPushButton(QStringLiteral("Add/Edit"), half), arrayElementName("SSCommand3", picture));
    // Label3(9) is the current picture's hint, Label3(10) the beginning's.
    m_hints[picture] = named(new QLabel(QStringLiteral("Click to Enlarge"), half),
        arrayElementName("Label3", picture == Beginning ? 10 : 9));
    // Its place is kept while it is hidden, so that the date box stays put.
    QSizePolicy keepPlace = m_hints[picture]->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    m_hints[picture]->setSizePolicy(keepPlace);
    m_hints[picture]->hide();
    QLineEdit* date = m_dateBoxes[picture];
    date->setParent(half);
    date->setMinimumWidth(
        date->fontMetrics().horizontalAdvance(WeightFile::PictureDatePlaceholder) + 16);

    // The picture sits in a place of its own, outside the layout: its size
    // follows the main panel, and must not push the panel's layout back.
    m_places[picture] = new QWidget(half);
    m_places[picture]->installEventFilter(this);
    m_pictures[picture]
        = named(new ClickableImage(ClickableImage::Border::Single, m_places[picture]),
            arrayElementName("Image2", picture));
    m_pictures[picture]->setCursor(Qt::PointingHandCursor);
    m_pictures[picture]->hide();

    auto* column = new QVBoxLayout;
    column->addWidget(m_titles[picture]);
    column->addWidget(m_addEdit[picture], 0, Qt::AlignLeft);
    column->addWidget(m_hints[picture]);
    column->addWidget(date);
    column->addStretch(1);
    auto* layout = new QHBoxLayout(half);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(column);
    layout->addWidget(m_places[picture], 1);

    // Names for screen readers: the two halves share their captions.
    const QString what = picture == Beginning ? QStringLiteral("Beginning Picture")
                                              : QStringLiteral("Current Picture");
    m_addEdit[picture]->setAccessibleName(QStringLiteral("Add/Edit ") + what);
    date->setAccessibleName(what + QStringLiteral(" Date"));
    m_pictures[picture]->setAccessibleName(what);
    auto describe = [this, picture] {
        const QString which = picture == Beginning ? QStringLiteral("Beginning picture")
                                                   : QStringLiteral("Current picture");
        const QString taken = m_dateBoxes[picture]->text().trimmed();
        m_pictures[picture]->setAccessibleDescription(
            taken.isEmpty() || taken == WeightFile::PictureDatePlaceholder
                ? which + QStringLiteral(", date not given")
                : which + QStringLiteral(", taken ") + taken);
    };
    describe();
    connect(date, &QLineEdit::textChanged, this, describe);

    connect(m_addEdit[picture], &QPushButton::clicked, this, [this, picture] { addEdit(picture); });
    connect(m_pictures[picture], &ClickableImage::clicked, this,
        [this, picture] { enlargePicture(picture); });
    return half;
}

bool ProgressPictures::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize) {
        if (watched == m_mainPanel)
            reserveRoomForPictures();
        for (int picture : { Beginning, Current }) {
            if (watched == m_places[picture])
                placePicture(picture);
        }
    }
    return QGroupBox::eventFilter(watched, event);
}

void ProgressPictures::reserveRoomForPictures()
{
    // Height for the tallest picture, so that the plan panel does not move
    // when a picture comes or goes.
    const int height = PictureBounds::Screen.boundsIn(m_mainPanel).height();
    for (QWidget* place : m_places)
        place->setMinimumHeight(height);
}

void ProgressPictures::placePicture(int picture)
{
    ClickableImage* image = m_pictures[picture];
    image->move(0, qMax(0, (m_places[picture]->height() - image->height()) / 2));
}

QString ProgressPictures::trimmedReference(int picture) const
{
    return m_references[picture].value_or(QString()).trimmed();
}

bool ProgressPictures::pictureShown(int picture) const
{
    return !m_pictures[picture]->isHidden() && m_pictures[picture]->holdsPicture();
}

void ProgressPictures::setPictureShown(int picture, bool shown)
{
    if (shown)
        placePicture(picture);
    else
        m_pictures[picture]->empty();
    m_pictures[picture]->setVisible(shown);
    m_hints[picture]->setVisible(shown);
}

void ProgressPictures::clear()
{
    closeViews();
    for (int picture : { Beginning, Current }) {
        m_references[picture].reset();
        setPictureShown(picture, false);
    }
}

void ProgressPictures::setReferences(
    std::optional<QString> beginning, std::optional<QString> current)
{
    m_references = { std::move(beginning), std::move(current) };
}

void ProgressPictures::ShowProgressPictures()
{
    for (int picture : { Beginning, Current })
        setPictureShown(picture, false);
    for (int picture : { Beginning, Current }) {
        const QString reference = trimmedReference(picture);
        if (reference.isEmpty())
            continue;
        const PictureFile file(reference);
        const QSize natural = file.naturalSize();
        if (!natural.isValid())
            continue;
        ClickableImage* image = m_pictures[picture];
        if (image->showPicture(file, PictureBounds::Screen.shownSize(natural, m_mainPanel)))
            setPictureShown(picture, true);
    }
}

void ProgressPictures::hideEmptyPictures()
{
    for (int picture : { Beginning, Current }) {
        if (m_references[picture].value_or(QString()).isEmpty())
            setPictureShown(picture, false);
    }
}

void ProgressPictures::addEdit(int picture)
{
    m_enlarged->hide();
    emit browserOpening();
    m_browser->open(picture, trimmedReference(picture));
}

void ProgressPictures::enterPicture()
{
    const int picture = m_browser->picture();
    const QString path = m_browser->previewPath();
    if (path.isEmpty())
        return;
    // Refused before anything changes: the weight file would keep a path
    // that no longer names the picture.
    const QString refusal = PictureReference::refusalFor(path);
    if (!refusal.isEmpty()) {
        m_services.messages.warn(refusal, QStringLiteral("Enter Picture"));
        return;
    }
    const PictureFile file(path);
    const QSize natural = file.naturalSize();
    ClickableImage* image = m_pictures[picture];
    const QSize size = PictureBounds::Screen.shownSize(natural, m_mainPanel);
    const QImage decoded = natural.isValid() ? image->decode(file, size) : QImage();
    // Gone or spoilt since it was clicked: a reference that shows nothing
    // is never stored.
    if (decoded.isNull()) {
        m_browser->showUnloadable();
        return;
    }

    m_references[picture] = path;
    image->showImage(decoded, size);
    m_browser->hide();
    setPictureShown(picture, true);
    emit changed();
    // The picture is entered all the same: only where the browser opens next
    // time is lost.
    if (const Outcome outcome
        = GColor14File(m_services.folder).setLastPictureFolder(m_browser->folderText());
        !outcome.succeeded)
        showSettingFailure(m_services.messages, outcome, QStringLiteral("picture folder"),
            QStringLiteral("Enter Picture"));
}

void ProgressPictures::exitWithoutEnteringPicture()
{
    m_browser->hide();
    emit leftWithoutEntering();
}

void ProgressPictures::exitAndDeletePicture()
{
    const int picture = m_browser->picture();
    setPictureShown(picture, false);
    m_references[picture] = QString();
    // The picture file itself stays where it is.
    m_dateBoxes[picture]->setText(WeightFile::PictureDatePlaceholder);
    m_browser->hide();
    emit changed();
}

void ProgressPictures::enlargePicture(int picture)
{
    const QString reference = trimmedReference(picture);
    if (reference.isEmpty())
        return;
    m_enlarged->showPicture(PictureFile(reference), m_nameBox->text().trimmed(),
        PictureNames[picture], QStringLiteral("Date Taken: ") + m_dateBoxes[picture]->text());
}

void ProgressPictures::enlargePreview()
{
    const bool shown = m_enlarged->showPicture(
        PictureFile(m_browser->previewPath()), previewCaption(), QString(), QString());
    if (!shown)
        QApplication::beep();
}

QString ProgressPictures::previewCaption() const
{
    // In create mode the list is hidden and still shows whoever was chosen
    // before: the individual being created is the one in the name box.
    const QString name
        = m_individualBox->isHidden() ? m_nameBox->text() : m_individualBox->currentText();
    return name.left(26).trimmed();
}

bool ProgressPictures::closeTopmostView()
{
    for (QWidget* view : { static_cast<QWidget*>(m_enlarged), static_cast<QWidget*>(m_browser) }) {
        if (view->isVisible()) {
            view->hide();
            return true;
        }
    }
    return false;
}

void ProgressPictures::closeViews()
{
    m_enlarged->hide();
    m_browser->hide();
}
