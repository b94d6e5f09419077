#pragma once

#include <QListWidget>
#include <QString>

// The folder list of a screen: the chosen folder with the folders above it,
// each open one indented below its parent, and the folders inside it. A
// click chooses a folder and opens it to show the folders inside, as a
// double click or Enter does; the arrow keys only choose.
class FolderChooser : public QListWidget
{
    Q_OBJECT

public:
    explicit FolderChooser(QWidget* parent = nullptr);

    QString path() const { return m_path; }

    // Opens the folder: lists it with its parents and the folders inside.
    // Announces the change when the path is another.
    void setPath(const QString& path);
    // Lists the current folder again (after a folder was made in it).
    void refresh();

signals:
    void pathChanged(const QString& path);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void rebuild();
    void choose(QListWidgetItem* item);
    void open(QListWidgetItem* item);

    QString m_path;
    // The folder whose contents are listed; the chosen one is it or one of
    // the folders listed.
    QString m_openPath;
    // The folder under the last press of the left button, opened when the
    // button is released on it.
    QString m_pressedPath;
    // The click just made opened a folder: the double click it is part of
    // must not open whatever now stands where it was.
    bool m_openedByClick = false;
};
