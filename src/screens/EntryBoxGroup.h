#pragma once

#include <QList>
#include <QObject>

class QLineEdit;

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
    void highlight(QLineEdit* box);
    void restoreColour(QLineEdit* box);

    const QLineEdit* m_normalColour;
    QList<QLineEdit*> m_boxes;
    QList<int> m_indexes;
    bool m_firstFocusSkipped = false;
};
