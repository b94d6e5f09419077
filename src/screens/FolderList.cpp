#include "FolderList.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QMouseEvent>
#include <QStyle>

#include <utility>

namespace {

constexpr int PathRole = Qt::UserRole;

} // namespace

FolderList::FolderList(QWidget* parent)
    : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setIndentation(12);
    setUniformRowHeights(true);
    connect(this, &QTreeWidget::itemActivated, this, &FolderList::folderActivated);
}

bool FolderList::setPath(const QString& folderPath)
{
    const QFileInfo info(folderPath);
    if (folderPath.isEmpty() || !info.isDir() || !info.isReadable() || !info.isExecutable())
        return false;
    m_path = QDir::toNativeSeparators(QDir::cleanPath(info.absoluteFilePath()));
    fill();
    emit pathChanged(m_path);
    return true;
}

void FolderList::fill()
{
    clear();
    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon);

    // The chain from the top of the file system down to the current folder.
    QStringList chain;
    for (QDir dir(QDir::fromNativeSeparators(m_path));;) {
        chain.prepend(dir.absolutePath());
        if (dir.isRoot() || !dir.cdUp())
            break;
    }
    QTreeWidgetItem* parent = nullptr;
    for (const QString& folder : chain) {
        const QString name = QDir(folder).isRoot() ? QDir::toNativeSeparators(folder)
                                                   : QFileInfo(folder).fileName();
        auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
        item->setText(0, name);
        item->setIcon(0, openIcon);
        item->setData(0, PathRole, QDir::toNativeSeparators(folder));
        item->setExpanded(true);
        parent = item;
    }

    const QDir current(QDir::fromNativeSeparators(m_path));
    const QStringList subfolders = current.entryList(
        QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase | QDir::LocaleAware);
    for (const QString& subfolder : subfolders) {
        auto* item = new QTreeWidgetItem(parent);
        item->setText(0, subfolder);
        item->setIcon(0, closedIcon);
        item->setData(0, PathRole, QDir::toNativeSeparators(current.filePath(subfolder)));
    }
    expandAll();
    setCurrentItem(parent);
    scrollToItem(parent);
}

void FolderList::mousePressEvent(QMouseEvent* event)
{
    QTreeWidgetItem* item = itemAt(event->position().toPoint());
    m_pressedPath = item && event->button() == Qt::LeftButton ? item->data(0, PathRole).toString()
                                                              : QString();
    QTreeWidget::mousePressEvent(event);
}

void FolderList::mouseReleaseEvent(QMouseEvent* event)
{
    QTreeWidgetItem* item = itemAt(event->position().toPoint());
    const QString released = item ? item->data(0, PathRole).toString() : QString();
    const QString pressed = std::exchange(m_pressedPath, QString());
    // The list is filled anew only once the view is done with the click.
    QTreeWidget::mouseReleaseEvent(event);
    m_openedByClick = false;
    if (!pressed.isEmpty() && pressed == released && pressed != m_path)
        m_openedByClick = setPath(pressed);
}

void FolderList::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (std::exchange(m_openedByClick, false)) {
        event->accept();
        return;
    }
    QTreeWidget::mouseDoubleClickEvent(event);
}

void FolderList::folderActivated(QTreeWidgetItem* item)
{
    if (item)
        setPath(item->data(0, PathRole).toString());
}

void FolderList::drawBranches(QPainter*, const QRect&, const QModelIndex&) const
{
    // Nothing here folds, the chain and the subfolders are always shown:
    // no branch marks to suggest otherwise, only the indentation.
}
