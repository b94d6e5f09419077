#pragma once

#include <QLabel>

class PictureFile;

// An image control: a picture stretched to the control's own size, that
// tells when it is clicked. The control is sized to the picture, so the
// stretch only makes up for the border.
class ClickableImage : public QLabel
{
    Q_OBJECT

public:
    enum class Border { None, Single };

    explicit ClickableImage(Border border, QWidget* parent = nullptr);

    // The picture decoded for being shown at size (pixels) on this
    // control's display; null when it cannot be loaded.
    QImage decode(const PictureFile& file, QSize size) const;
    // Shows a decoded picture at size; a null image empties the control.
    void showImage(const QImage& image, QSize size);
    // Both: false, and the control emptied, when it cannot be loaded.
    bool showPicture(const PictureFile& file, QSize size);
    void empty();
    bool holdsPicture() const;

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_pressed = false;
};
