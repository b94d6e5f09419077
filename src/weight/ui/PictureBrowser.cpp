#include "PictureBrowser.h"

#include "screens/AccessibleNames.h"
#include "screens/ClickableImage.h"
#include "screens/FolderList.h"
#include "screens/NamedWidget.h"
#include "screens/PictureFile.h"
#include "screens/ReadableCaption.h"
#include "storage/GColor14File.h"
#include "weight/ui/PictureBounds.h"

#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace {

// The preview is centred on this fraction of the browser's width.
constexpr double PreviewCentre = 0.715;

QLabel* label(QWidget* parent, const QString& name, const QString& text)
{
    return named(new QLabel(text, parent), name);
}

QString withSeparator(const QString& folder)
{
    const QString native = QDir::toNativeSeparators(folder);
    return native.endsWith(QDir::separator()) ? native : native + QDir::separator();
}

} // namespace

const QStringList PictureBrowser::FilePatterns
    = { QStringLiteral("*.bmp"), QStringLiteral("*.ico"), QStringLiteral("*.mmf"),
          QStringLiteral("*.emf"), QStringLiteral("*.jpg"), QStringLiteral("*.gif") };

PictureBrowser::PictureBrowser(const ProgramFolder& programFolder, QWidget* mainPanel)
    : PictureOverlay(QStringLiteral("SSPanel12"), mainPanel)
    , m_programFolder(programFolder)
{

    m_folders = named(new FolderList(this), "Dir1");
    m_files = named(new QListWidget(this), "File1");
    // The path is shown in a box, so that a folder can also be typed.
    m_path = named(new QLineEdit(this), "Label24");
    m_previewArea = new QWidget(this);
    m_previewArea->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    // The preview is placed by hand; it follows its area whenever the
    // layout moves it (a caption or a path taking another line).
    m_previewArea->installEventFilter(this);
    m_preview = named(new ClickableImage(ClickableImage::Border::Single, this), "Image4");
    m_preview->setCursor(Qt::PointingHandCursor);
    m_preview->hide();
    m_unloadable = label(this, QStringLiteral("Label19"),
        QStringLiteral("Program is unable to load this file as a Picture File!!!"));
    QPalette warning = m_unloadable->palette();
    warning.setColor(QPalette::WindowText, QColor(192, 0, 0));
    m_unloadable->setPalette(warning);
    m_unloadable->setAlignment(Qt::AlignCenter);
    m_unloadable->hide();
    m_enter
        = named(new QPushButton(QStringLiteral("&Enter Picture Into Program"), this), "SSCommand4");
    m_exit = named(
        new QPushButton(QStringLiteral("E&xit Without Entering Picture"), this), "SSCommand5");
    m_delete = named(
        new QPushButton(QStringLiteral("Exit an &Delete Current Picture"), this), "SSCommand6");

    auto* left = new QVBoxLayout;
    QLabel* foldersLabel = label(this, QStringLiteral("Label22_1"), QStringLiteral("Folders:"));
    QLabel* filesLabel = label(this, QStringLiteral("Label22_0"), QStringLiteral("File:"));
    AccessibleNames::labelField(foldersLabel, m_folders);
    AccessibleNames::labelField(filesLabel, m_files);
    left->addWidget(foldersLabel);
    left->addWidget(m_folders, 3);
    left->addWidget(filesLabel);
    left->addWidget(m_files, 2);
    QLabel* pathLabel = label(this, QStringLiteral("Label20"), QStringLiteral("Path:"));
    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(pathLabel);
    pathRow->addWidget(m_path, 1);
    AccessibleNames::labelField(pathLabel, m_path);
    left->addLayout(pathRow);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* button : { m_enter, m_exit, m_delete })
        buttons->addWidget(button);
    auto* right = new QVBoxLayout;
    auto* previewLabel = label(
        this, QStringLiteral("Label22_3"), QStringLiteral("Picture Preview: (Click to Enlarge)"));
    previewLabel->setAlignment(Qt::AlignCenter);
    // The browser takes the panel colour, which black text may not read on.
    for (QLabel* caption : { foldersLabel, filesLabel, pathLabel, previewLabel })
        ReadableCaption::keepReadable(caption);
    right->addWidget(previewLabel);
    right->addWidget(m_previewArea, 1);
    right->addWidget(m_unloadable);

    // The preview, up to half the browser wide, is centred at 0.715 of its
    // width: the lists keep to the left of it.
    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 44);
    columns->addLayout(right, 56);
    body()->addLayout(columns);
    // The buttons have a row of their own, so that on a small screen they
    // leave the lists their share of the width.
    body()->addLayout(buttons);

    connect(m_folders, &FolderList::pathChanged, this, &PictureBrowser::folderChanged);
    connect(m_path, &QLineEdit::editingFinished, this, &PictureBrowser::typedFolder);
    connect(m_files, &QListWidget::itemClicked, this, &PictureBrowser::fileClicked);
    // A file chosen with the arrow keys is clicked as well. The current item
    // the list takes on receiving the focus is not: it is not selected.
    connect(m_files, &QListWidget::itemSelectionChanged, this, [this] {
        const QList<QListWidgetItem*> selected = m_files->selectedItems();
        if (!selected.isEmpty())
            fileClicked(selected.first());
    });
    connect(m_files, &QListWidget::itemActivated, this, &PictureBrowser::fileActivated);
    connect(m_preview, &ClickableImage::clicked, this, &PictureBrowser::previewClicked);
    connect(m_enter, &QPushButton::clicked, this, &PictureBrowser::enterClicked);
    connect(m_exit, &QPushButton::clicked, this, &PictureBrowser::exitClicked);
    connect(m_delete, &QPushButton::clicked, this, &PictureBrowser::deleteClicked);
}

PictureBrowser::~PictureBrowser()
{
    // The path box loses the focus as the browser goes; that is no typed
    // folder to look at.
    m_path->disconnect(this);
}

QString PictureBrowser::folderText() const
{
    // The folder listed, not what may be half typed into the box.
    return m_folders->path().isEmpty() ? QString() : withSeparator(m_folders->path());
}

void PictureBrowser::open(int picture, const QString& reference)
{
    m_picture = picture;
    setCaption(picture == 0 ? QStringLiteral("Select Beginning Picture")
                            : QStringLiteral("Select Current Picture"));
    m_enter->setEnabled(false);
    emptyPreview();
    // Placed first: the preview's bounds come from the browser's size.
    showOverMainPanel();

    QString storedFileName;
    const bool atStart = goToFolder(startingFolder(reference.trimmed(), &storedFileName));
    if (atStart && !storedFileName.isEmpty()) {
        selectFile(storedFileName);
        const QString path = folderText() + storedFileName;
        showPreview(
            path, PictureBounds::BrowserOpening.shownSize(PictureFile(path).naturalSize(), this));
        m_enter->setEnabled(false);
    }

    m_files->setFocus();
}

QString PictureBrowser::startingFolder(const QString& reference, QString* storedFileName) const
{
    // A folder that no longer exists gives way to the next: the stored
    // picture's folder, the folder last used, the user's pictures, home.
    if (!reference.isEmpty()) {
        const QString stored = QDir::fromNativeSeparators(reference);
        const qsizetype cut = stored.lastIndexOf(QLatin1Char('/'));
        const QString folder = stored.left(cut + 1);
        if (cut >= 0 && QFileInfo(folder).isDir()) {
            *storedFileName = stored.mid(cut + 1);
            return folder;
        }
    }
    const QString remembered = GColor14File(m_programFolder).lastPictureFolder().trimmed();
    if (!remembered.isEmpty() && QFileInfo(remembered).isDir())
        return remembered;
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (!pictures.isEmpty() && QFileInfo(pictures).isDir())
        return pictures;
    return QDir::homePath();
}

bool PictureBrowser::goToFolder(const QString& folderPath)
{
    if (m_folders->setPath(folderPath))
        return true;
    // A folder that exists but cannot be listed: somewhere that can.
    if (!m_folders->setPath(QDir::homePath()))
        m_folders->setPath(QDir::rootPath());
    return false;
}

void PictureBrowser::folderChanged(const QString& path)
{
    m_unloadable->hide();
    m_path->setText(withSeparator(path));
    emptyPreview();
    m_enter->setEnabled(false);
    const QSignalBlocker blocker(m_files);
    m_files->clear();
    m_files->addItems(QDir(path).entryList(
        FilePatterns, QDir::Files, QDir::Name | QDir::IgnoreCase | QDir::LocaleAware));
}

void PictureBrowser::typedFolder()
{
    const QString typed = m_path->text().trimmed();
    if (typed == folderText() || typed == m_folders->path() || m_folders->setPath(typed))
        return;
    // The box goes back to the folder listed, which is still the one shown.
    m_path->setText(withSeparator(m_folders->path()));
    emit folderRefused(typed);
}

void PictureBrowser::selectFile(const QString& fileName)
{
    // Selected as the stored picture, not clicked: Enter stays disabled.
    const QSignalBlocker blocker(m_files);
    for (int row = 0; row < m_files->count(); ++row) {
        if (m_files->item(row)->text() == fileName) {
            m_files->setCurrentRow(row);
            m_files->scrollToItem(m_files->item(row));
            return;
        }
    }
}

void PictureBrowser::fileClicked(QListWidgetItem* item)
{
    if (!item)
        return;
    const QString path = folderText() + item->text();
    // A second click on the file on preview changes nothing.
    if (path == m_previewPath && m_enter->isEnabled())
        return;
    m_unloadable->hide();
    const QSize natural = PictureFile(path).naturalSize();
    if (!natural.isValid()) {
        showUnloadable();
        return;
    }
    showPreview(path, PictureBounds::FileClick.shownSize(natural, mainPanel()));
    if (m_previewPath.isEmpty())
        showUnloadable();
    else
        m_enter->setEnabled(true);
}

void PictureBrowser::fileActivated(QListWidgetItem* item)
{
    fileClicked(item);
    if (m_enter->isEnabled())
        emit enterClicked();
}

void PictureBrowser::showUnloadable()
{
    emptyPreview();
    m_enter->setEnabled(false);
    m_unloadable->show();
}

void PictureBrowser::showPreview(const QString& path, QSize shownSize)
{
    if (!m_preview->showPicture(PictureFile(path), shownSize)) {
        emptyPreview();
        return;
    }
    m_previewPath = path;
    placePreview();
    m_preview->show();
}

void PictureBrowser::emptyPreview()
{
    m_previewPath.clear();
    m_preview->empty();
    m_preview->hide();
}

void PictureBrowser::placePreview()
{
    const int left = qRound(PreviewCentre * width()) - m_preview->width() / 2;
    m_preview->move(left, m_previewArea->geometry().top());
}

void PictureBrowser::placed()
{
    placePreview();
}

bool PictureBrowser::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_previewArea
        && (event->type() == QEvent::Move || event->type() == QEvent::Resize))
        placePreview();
    return PictureOverlay::eventFilter(watched, event);
}
