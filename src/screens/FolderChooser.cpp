#include "FolderChooser.h"

#include <QCollator>
#include <QDir>
#include <QFileInfo>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QStyle>

#include <algorithm>
#include <utility>

namespace {

constexpr int PathRole = Qt::UserRole;
constexpr int IndentPerLevel = 2;

} // namespace

FolderChooser::FolderChooser(QWidget* parent)
    : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    // The keys choose as the mouse does.
    connect(this, &QListWidget::currentItemChanged, this, &FolderChooser::choose);
    connect(this, &QListWidget::itemActivated, this, &FolderChooser::open);
}

void FolderChooser::setPath(const QString& path)
{
    const QString clean = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    const bool changed = clean != m_path;
    m_path = clean;
    m_openPath = clean;
    rebuild();
    if (changed)
        emit pathChanged(m_path);
}

void FolderChooser::refresh()
{
    rebuild();
}

void FolderChooser::rebuild()
{
    // Listing is not choosing.
    const QSignalBlocker blocker(this);
    clear();
    QStringList chain;
    for (QDir dir(m_openPath);;) {
        chain.prepend(dir.absolutePath());
        if (!dir.cdUp())
            break;
    }
    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon);
    const auto add = [this](const QString& folder, int level, const QIcon& icon) {
        const QString name = QFileInfo(folder).fileName();
        auto* item = new QListWidgetItem(icon,
            QString(level * IndentPerLevel, u' ')
                + (name.isEmpty() ? QDir::toNativeSeparators(folder) : name),
            this);
        item->setData(PathRole, folder);
        if (folder == m_path)
            setCurrentItem(item);
    };
    for (qsizetype level = 0; level < chain.size(); ++level)
        add(chain.at(level), int(level), openIcon);

    QStringList inside = QDir(m_openPath).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(inside.begin(), inside.end(), collator);
    for (const QString& name : inside)
        add(QDir(m_openPath).filePath(name), int(chain.size()), closedIcon);
    if (QListWidgetItem* chosen = currentItem())
        scrollToItem(chosen);
}

void FolderChooser::choose(QListWidgetItem* item)
{
    if (!item)
        return;
    const QString folder = item->data(PathRole).toString();
    if (folder == m_path)
        return;
    m_path = folder;
    emit pathChanged(m_path);
}

void FolderChooser::mousePressEvent(QMouseEvent* event)
{
    QListWidgetItem* item = itemAt(event->position().toPoint());
    m_pressedPath
        = item && event->button() == Qt::LeftButton ? item->data(PathRole).toString() : QString();
    QListWidget::mousePressEvent(event);
}

void FolderChooser::mouseReleaseEvent(QMouseEvent* event)
{
    QListWidgetItem* item = itemAt(event->position().toPoint());
    const QString released = item ? item->data(PathRole).toString() : QString();
    const QString pressed = std::exchange(m_pressedPath, QString());
    // The list is filled anew only once the view is done with the click.
    QListWidget::mouseReleaseEvent(event);
    m_openedByClick = false;
    if (!pressed.isEmpty() && pressed == released && pressed != m_openPath) {
        setPath(pressed);
        m_openedByClick = true;
    }
}

void FolderChooser::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (std::exchange(m_openedByClick, false)) {
        event->accept();
        return;
    }
    QListWidget::mouseDoubleClickEvent(event);
}

void FolderChooser::open(QListWidgetItem* item)
{
    setPath(item->data(PathRole).toString());
}
