#pragma once

#include <QListWidget>
#include <QString>

// The folder list of a screen: the chosen folder with the folders above it,
// each open one indented below its parent, and the folders inside it. A
// click chooses a folder; a double click (or Enter) also opens it to show
// the folders inside.
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

private:
    void rebuild();
    void choose(QListWidgetItem* item);
    void open(QListWidgetItem* item);

    QString m_path;
    // The folder whose contents are listed; the chosen one is it or one of
    // the folders listed.
    QString m_openPath;
};
