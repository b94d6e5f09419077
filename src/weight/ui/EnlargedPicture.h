#pragma once

#include "weight/ui/PictureOverlay.h"

#include <array>

class ClickableImage;
class PictureFile;
class QLabel;
class QPushButton;

// The enlarged view (SSPanel13): one picture reduced to 0.7 of the main
// panel and centred on it, with the individual's name as caption and what the
// picture is. "&Close", a click on the picture or Escape closes it.
class EnlargedPicture : public PictureOverlay
{
    Q_OBJECT

public:
    explicit EnlargedPicture(QWidget* mainPanel);

    // Shows the picture in front of everything on the main panel; false, and
    // nothing shown, when it cannot be loaded.
    bool showPicture(const PictureFile& file, const QString& caption, const QString& pictureName,
        const QString& dateTaken);

protected:
    void placed() override;

private:
    void placePicture();

    std::array<QLabel*, 3> m_labels {}; // Label25(0) to Label25(2)
    ClickableImage* m_picture; // Image6
    QPushButton* m_close; // SSCommand7
};
