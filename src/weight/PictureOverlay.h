#pragma once

#include <QGroupBox>

// A panel of the picture screens laid over the whole main panel of the
// weight screen: 60 twips from its top and left and nearly as large,
// following it when the window is resized. The caption is the box's title.
class PictureOverlay : public QGroupBox
{
    Q_OBJECT

public:
    explicit PictureOverlay(QWidget* mainPanel);

    QWidget* mainPanel() const { return m_mainPanel; }

    // Puts the panel in place over the main panel, in front, and shows it.
    void showOverMainPanel();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // After the panel took its new place.
    virtual void placed() { }

private:
    void place();

    QWidget* m_mainPanel;
};
