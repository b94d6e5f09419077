#pragma once

#include <QFrame>

class PasswordEntryBoxes;
class PasswordList;
class QAction;
class QLabel;
class QLineEdit;
class QPushButton;
class SecretClipboard;

// The keeper's panel (Panel3D1) in the middle of its background: the list
// of entries on top, the boxes of one entry under it and the row of
// commands at the bottom, each button showing its command's action.
class PasswordKeeperPanel : public QFrame
{
    Q_OBJECT

public:
    struct Commands {
        QAction* save;
        QAction* print;
        QAction* deleteEntry;
        QAction* launch;
        QAction* exit;
    };

    PasswordKeeperPanel(
        const Commands& commands, SecretClipboard& secretClipboard, QWidget* parent);

    PasswordList* list() const { return m_list; }
    PasswordEntryBoxes* boxes() const { return m_boxes; }
    // Text2, hidden: the boxes' normal colour.
    QLineEdit* normalColourBox() const { return m_normalColourBox; }
    // Label3, hidden: the panel colour's swatch.
    QLabel* swatch() const { return m_swatch; }
    // New File's button has no action: it is enabled on its own.
    QPushButton* newButton() const { return m_newButton; }
    QPushButton* exitButton() const { return m_exitButton; }

private:
    PasswordList* m_list;
    QLineEdit* m_normalColourBox; // Text2
    QLabel* m_swatch; // Label3
    PasswordEntryBoxes* m_boxes;
    QPushButton* m_newButton; // Command5
    QPushButton* m_exitButton; // Command1
};
