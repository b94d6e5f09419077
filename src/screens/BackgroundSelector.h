#pragma once

#include "screens/ScreenServices.h"
#include "storage/BackgroundSetting.h"

#include <QColor>
#include <QFrame>
#include <QList>
#include <QString>

#include <array>
#include <functional>

class BackgroundThumbnail;
class QPushButton;

// The panel from which the user picks a background for one target (the
// main window, or a tracker's grid): sixteen picture thumbnails and four
// buttons, a colour from the colour dialog, the default colour, the picture
// last clicked, or Cancel. A click on a thumbnail only previews the picture
// on the target; whatever closes the panel without a choice puts the
// target's current background back.
class BackgroundSelector : public QFrame
{
    Q_OBJECT

public:
    struct Target {
        // "Background Selector" or "Grid Background Selector".
        QString statusText;
        // The background in force, which the panel marks and Cancel shows.
        std::function<BackgroundSetting()> current;
        // Shows a background on the target without choosing it.
        std::function<void(const BackgroundSetting&)> show;
        // The colour the colour dialog opens with.
        std::function<QColor()> colourPreset;
        // The user's choice: a picture, a colour, or the default.
        std::function<void(const BackgroundSetting&)> choose;
        // Places the panel over its window when it opens.
        std::function<void(QWidget*)> place;
        std::function<void(const QString&)> showStatus;
        std::function<QString()> idleStatus;
    };

    // buttonArray names the four buttons ("Command1" gives Command1_0 to
    // Command1_3); the note is shown under them when not empty.
    BackgroundSelector(const ScreenServices& services, const char* buttonArray, const QString& note,
        Target target, QWidget* parent);

    bool isOpen() const { return isVisible(); }
    // The picture name of the thumbnail clicked since the panel opened.
    QString pendingBackground() const { return m_pendingBackground; }

    // --- commands ---------------------------------------------------------
    // The menu item (and a tracker's side button): opens the panel, or
    // closes it when it is open.
    void toggle();
    // Closes the panel without a choice; the target shows its current
    // background again.
    void close();
    void previewThumbnail(int index);
    // Button 0 colour, 1 default, 2 the clicked picture, 3 cancel.
    void applyChoice(int button);

private:
    void open();
    void hidePanel();
    void markThumbnail(int index);
    // The arrow keys, Home and End move the focus among the thumbnails, and
    // Tab comes back to the one last reached.
    void stepFocus(int from, int key);
    void setTabStop(int index);
    void raiseAll();
    void restoreTarget();

    ScreenServices m_services;
    Target m_target;
    std::array<BackgroundThumbnail*, BackgroundSetting::PictureCount> m_thumbnails {}; // Image3
    QFrame* m_selectionFrame; // Shape2
    std::array<QPushButton*, 4> m_buttons {};
    QString m_pendingBackground;
};
