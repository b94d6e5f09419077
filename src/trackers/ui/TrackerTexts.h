#pragma once

#include <QString>

// What tells one tracker screen from the other in the parts they share: the
// words of its title and messages, its menu captions and its help topics.
struct TrackerTexts {
    // "Weight Tracker": the window title without a family name, and the
    // name used in the save prompt.
    QString trackerName;
    // Shown under the name box in create mode.
    QString createNote;
    // The "&Options" menu's caption for View Existing File (one tracker
    // stored it misspelt, and the caption is the system's own text).
    QString viewExistingMenuCaption;
    QString backupCaption;
    QString restoreCaption;
    int helpTopic = 0;
    int printOptionsHelpTopic = 0;
};
