#pragma once

#include "screens/ScreenServices.h"

#include <QGroupBox>
#include <QString>

#include <array>
#include <optional>

class ClickableImage;
class EnlargedPicture;
class PictureBrowser;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The beginning and current pictures of the displayed individual: the frame
// "Beginning and Current Photos" (SSFrame3) of the plan panel with the two
// reduced pictures and their date boxes, the picture browser that chooses
// them and the enlarged view. The pictures stay where the user keeps them:
// only their full paths are kept, for lines 11 and 12 of the weight file.
class ProgressPictures : public QGroupBox
{
    Q_OBJECT

public:
    static constexpr int Beginning = 0;
    static constexpr int Current = 1;

    // mainPanel is the screen's main panel Panel3D1, which the browser and
    // the enlarged view cover and whose size bounds the pictures; the date
    // boxes Text1(7) and Text1(8) keep their entry rules and are placed
    // here; nameBox gives the enlarged view of a picture its caption, and
    // individualBox (Combo1) that of the browser's preview.
    ProgressPictures(const ScreenServices& services, QWidget* mainPanel,
        std::array<QLineEdit*, 2> dateBoxes, const QLineEdit* nameBox,
        const QComboBox* individualBox, QWidget* parent);

    // The reference of a picture: unset when none was read or chosen since
    // the individual was selected, so that the file keeps its empty line.
    std::optional<QString> reference(int picture) const { return m_references[picture]; }
    // Whether the picture is loaded and shown in its place (the report
    // prints only those).
    bool pictureShown(int picture) const;

    // Selecting an individual (before its file is read) and Create New File:
    // both references and pictures emptied, the browser and the view closed.
    void clear();
    // The references as read from the weight file.
    void setReferences(std::optional<QString> beginning, std::optional<QString> current);
    // Loads both pictures reduced to their places; a picture whose file is
    // missing or is not a picture stays hidden.
    void ShowProgressPictures();
    // View Plan Information: a picture whose reference is empty is hidden.
    void hideEmptyPictures();

    // --- commands --------------------------------------------------------
    void addEdit(int picture);
    void enterPicture();
    void exitWithoutEnteringPicture();
    void exitAndDeletePicture();
    void enlargePicture(int picture);
    void enlargePreview();

    // Escape: the enlarged view first, then the browser; false when neither
    // was open.
    bool closeTopmostView();
    void closeViews();

signals:
    // A reference changed: Enter Picture, Exit and Delete.
    void changed();
    // Add/Edit is opening the browser (the screen hides its calendar).
    void browserOpening();
    // Exit Without Entering Picture: the screen's Exit takes the focus.
    void leftWithoutEntering();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildHalf(int picture, const QString& title);
    void setPictureShown(int picture, bool shown);
    void reserveRoomForPictures();
    void placePicture(int picture);
    QString trimmedReference(int picture) const;
    QString previewCaption() const;

    ScreenServices m_services;
    QWidget* m_mainPanel;
    std::array<QLineEdit*, 2> m_dateBoxes; // Text1(7), Text1(8)
    const QLineEdit* m_nameBox; // Text1(0)
    const QComboBox* m_individualBox; // Combo1
    std::array<std::optional<QString>, 2> m_references;

    std::array<QLabel*, 2> m_titles {}; // Label3(7), Label3(8)
    std::array<QPushButton*, 2> m_addEdit {}; // SSCommand3(0), SSCommand3(1)
    std::array<QLabel*, 2> m_hints {}; // Label3(10), Label3(9)
    std::array<QWidget*, 2> m_places {};
    std::array<ClickableImage*, 2> m_pictures {}; // Image2(0), Image2(1)
    PictureBrowser* m_browser; // SSPanel12
    EnlargedPicture* m_enlarged; // SSPanel13
};
