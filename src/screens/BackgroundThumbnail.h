#pragma once

#include "screens/ClickableImage.h"

// One of the background selector's sixteen pictures, for the keyboard and
// screen readers as well as the mouse: it takes the focus by Tab (when it is
// the selector's tab stop) or by the arrow keys, is chosen with Space or
// Enter as with a click, and is announced as "Background picture N",
// selected when it is the one marked.
class BackgroundThumbnail : public ClickableImage
{
    Q_OBJECT

public:
    // number is the picture's, 1 to 16.
    BackgroundThumbnail(int number, QWidget* parent);

    int number() const { return m_number; }
    bool isMarked() const { return m_marked; }
    void setMarked(bool marked);
    // The one thumbnail Tab stops at; the arrow keys reach the others.
    void setTabStop(bool tabStop);

signals:
    // An arrow key, Home or End: the selector moves the focus.
    void stepRequested(int key);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    int m_number;
    bool m_marked = false;
};
