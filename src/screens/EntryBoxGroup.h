#pragma once

#include <QList>
#include <QObject>

class QLineEdit;
class QPlainTextEdit;
class QWidget;

// The boxes of a screen that share the entry rules: the focused box turns
// yellow and gets the normal box colour back when it loses the focus (the
// first focus after opening is the screen placing its cursor, so it is not
// highlighted), Enter never reaches a box, and a change the user makes is
// told apart from the program filling the box.
class EntryBoxGroup : public QObject
{
    Q_OBJECT

public:
    // normalColour is the box whose colour every box gets back (Text2).
    EntryBoxGroup(const QLineEdit* normalColour, QObject* parent);

    // Adds a box under its index in the screen's array of boxes.
    void add(QLineEdit* box, int index);
    // A multi-line box: highlighted and kept free of Enter like the others.
    // Its edits are not told apart from the program's, so it emits no
    // edited(); the screen watches its text itself.
    void add(QPlainTextEdit* box, int index);

    // A screen that places its cursor on a button at opening leaves the
    // first focus of a box to the user, who should see it highlighted.
    void setSkipsFirstFocus(bool skips) { m_firstFocusSkipped = !skips; }

signals:
    // The box got the focus (not on the skipped first focus of the screen).
    void focused(int index);
    void clicked(int index);
    void enterPressed(int index);
    // The user typed into the box or pasted: the only changes the entry
    // rules and the changed mark apply to.
    void edited(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watch(QWidget* box, int index);
    void highlight(QWidget* box);
    void restoreColour(QWidget* box);

    const QLineEdit* m_normalColour;
    QList<QWidget*> m_boxes;
    QList<int> m_indexes;
    bool m_firstFocusSkipped = false;
};
