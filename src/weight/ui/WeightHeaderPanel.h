#pragma once

#include <QFrame>

#include <array>

class EntryBoxGroup;
class QBoxLayout;
class QLabel;
class QLineEdit;

// The Weight Tracker's header: the name row, the create-mode note and the
// beginning date, beginning weight and goal weight with their captions,
// whose two weights carry the graph's legend lines while the graph is on
// display. It makes all the screen's Text1 boxes after the name box; the
// plan panel takes the boxes and captions of the exercise plan.
class WeightHeaderPanel : public QFrame
{
    Q_OBJECT

public:
    static constexpr int BoxCount = 9;
    static constexpr int FieldLabelCount = 6;

    WeightHeaderPanel(QLineEdit* nameBox, EntryBoxGroup& entryBoxes, QBoxLayout* nameRow,
        QLabel* createNote, QWidget* parent);

    // Text1(0) to Text1(8), Text1(0) being the name box.
    const std::array<QLineEdit*, BoxCount>& boxes() const { return m_boxes; }
    // Label3(0) to Label3(5), the captions of Text1(1) to Text1(6).
    QLabel* fieldLabel(int index) const { return m_fieldLabels[index]; }

    // The legend colours on the two weights' captions and lines.
    void showLegendMarks(bool shown);

private:
    std::array<QLineEdit*, BoxCount> m_boxes {};
    std::array<QLabel*, FieldLabelCount> m_fieldLabels {};
    std::array<QFrame*, 2> m_legendLines {}; // Line3(0) beginning, Line3(1) goal
};
