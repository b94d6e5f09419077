#pragma once

#include <QScrollArea>

// Holds a data panel taller than the room a small screen leaves it: there
// the panel scrolls instead of pushing the window past the screen's edge.
// The scroller is shown and hidden with its panel, so that the panels
// sharing one place still show one at a time.
class PanelScroller : public QScrollArea
{
    Q_OBJECT

public:
    explicit PanelScroller(QWidget* panel, QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_panel;
};
