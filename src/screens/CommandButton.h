#pragma once

#include <QPushButton>

class QAction;

// A button that stands for a command's action: a click triggers the action,
// and the button is enabled exactly when the action is. The menu item, the button and later the
// toolbar button of one command are thus enabled in one place. The button keeps its own object name
// ("Command10") beside the action's ("mOS"), its own caption (a menu may word a command otherwise)
// and its own visibility (some buttons are shown only in one mode while their menu item stays).
class CommandButton : public QPushButton
{
    Q_OBJECT

public:
    CommandButton(
        QAction* action, const QString& objectName, const QString& caption, QWidget* parent);

    QAction* action() const { return m_action; }

    // A long caption in the command column of a small window is drawn on
    // two lines, broken at the blank nearest its middle; text() stays the
    // caption.
    void setTwoLines(bool twoLines);
    bool twoLines() const { return m_twoLines; }
    // The caption as drawn.
    QString shownText() const;
    int oneLineWidth() const { return QPushButton::sizeHint().width(); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void follow();

    QAction* m_action;
    bool m_twoLines = false;
};
