#pragma once

#include "storage/ProgramFolder.h"
#include "weight/ui/PictureOverlay.h"

#include <QString>

class ClickableImage;
class FolderList;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

// The picture browser (SSPanel12): a folder list, the picture files of the
// folder, the folder's path and a preview of the clicked file. Add/Edit opens
// it for one of the two pictures; its three buttons are answered by the
// progress pictures, which own the references.
//
// The path display, the file list and the preview always show one folder: a
// change of folder empties the preview, so that no file of another folder
// can be entered.
class PictureBrowser : public PictureOverlay
{
    Q_OBJECT

public:
    // The file list's pattern; matched without regard to letter case, so a
    // camera's IMG_0001.JPG is listed.
    static const QStringList FilePatterns;

    PictureBrowser(const ProgramFolder& programFolder, QWidget* mainPanel);
    ~PictureBrowser() override;

    // Add/Edit for picture (0 beginning, 1 current) with its stored
    // reference: opens on the reference's folder with its file selected and
    // previewed, else on the remembered folder, else on the user's Pictures
    // folder (or home folder). Enter stays disabled until a file is clicked.
    void open(int picture, const QString& reference);

    // The picture being chosen: 0 beginning, 1 current.
    int picture() const { return m_picture; }
    // The path display: the folder listed, ending in the separator.
    QString folderText() const;
    // The file on preview (by a click, or the stored one on opening); empty
    // when the preview is empty.
    QString previewPath() const { return m_previewPath; }

    // The clicked file turned out not to load: the notice instead of the
    // preview, and Enter disabled.
    void showUnloadable();

signals:
    void enterClicked();
    void exitClicked();
    void deleteClicked();
    void previewClicked();
    // The path box was given something that is no folder that can be listed.
    void folderRefused(const QString& typed);

protected:
    void placed() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void folderChanged(const QString& path);
    void typedFolder();
    void fileClicked(QListWidgetItem* item);
    void fileActivated(QListWidgetItem* item);
    void showPreview(const QString& path, QSize shownSize);
    void emptyPreview();
    void placePreview();
    QString startingFolder(const QString& reference, QString* storedFileName) const;
    // Lists the folder; false (and a folder that can be listed instead) when
    // it cannot be.
    bool goToFolder(const QString& folderPath);
    void selectFile(const QString& fileName);

    ProgramFolder m_programFolder;
    int m_picture = 0;
    QString m_previewPath;

    FolderList* m_folders; // Dir1
    QListWidget* m_files; // File1
    QLineEdit* m_path; // Label24
    QWidget* m_previewArea;
    ClickableImage* m_preview; // Image4
    QLabel* m_unloadable; // Label19
    QPushButton* m_enter; // SSCommand4
    QPushButton* m_exit; // SSCommand5
    QPushButton* m_delete; // SSCommand6
};
