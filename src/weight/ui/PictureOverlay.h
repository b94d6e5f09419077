#pragma once

#include <QFrame>

class QLabel;
class QVBoxLayout;

// A panel of the picture screens laid over the whole main panel of the
// weight screen: 60 twips from its top and left and nearly as large,
// following it when the window is resized. Its caption (objectName +
// "Caption") heads the panel; a subclass lays out the rest in body().
class PictureOverlay : public QFrame
{
    Q_OBJECT

public:
    PictureOverlay(const QString& name, QWidget* mainPanel);

    QWidget* mainPanel() const { return m_mainPanel; }
    QString caption() const;
    void setCaption(const QString& caption);

    // Puts the panel in place over the main panel, in front, and shows it.
    void showOverMainPanel();

protected:
    QVBoxLayout* body() const { return m_body; }
    bool eventFilter(QObject* watched, QEvent* event) override;
    // After the panel took its place and laid out its controls.
    virtual void placed() { }

private:
    void place();

    QWidget* m_mainPanel;
    QLabel* m_caption;
    QVBoxLayout* m_body;
};
