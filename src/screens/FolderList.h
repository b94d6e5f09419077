#pragma once

#include <QString>
#include <QTreeWidget>

// A folder list: the folders from the top of the file system down to the
// current folder, each open, and under the current folder its subfolders.
// A click on a folder, a double click or Enter on it makes it the current
// folder.
// Hidden folders are left out, as a file manager does.
class FolderList : public QTreeWidget
{
    Q_OBJECT

public:
    explicit FolderList(QWidget* parent = nullptr);

    // The current folder, absolute, in the platform's own notation.
    QString path() const { return m_path; }

    // Makes an existing, readable folder the current one and tells
    // pathChanged (also when it was current already, so that what follows
    // the list is refreshed); false, and nothing changed, otherwise.
    bool setPath(const QString& folderPath);

signals:
    void pathChanged(const QString& path);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void drawBranches(
        QPainter* painter, const QRect& rect, const QModelIndex& index) const override;

private:
    void fill();
    void folderActivated(QTreeWidgetItem* item);

    QString m_path;
    // The folder under the last press of the left button, opened when the
    // button is released on it.
    QString m_pressedPath;
    // The click just made opened a folder: the double click it is part of
    // must not open whatever now stands where it was.
    bool m_openedByClick = false;
};
