#pragma once

#include <QColor>
#include <QObject>

class QLabel;

// Keeps a caption readable on whatever colour the screen gives the panel
// under it: the caption's text stays black while black reads well enough
// there (a contrast of 4.5 to 1, WCAG AA for normal text) and turns white
// where it does not (the bright blues and teals of the screen colours). The
// panel keeps its colour; only the caption's text follows it.
class ReadableCaption : public QObject
{
    Q_OBJECT

public:
    static constexpr double MinimumContrast = 4.5;

    // The caption follows its background from now on, also when the panel
    // colour changes.
    static void keepReadable(QLabel* caption);

    // WCAG's contrast ratio of two colours, from 1 to 21.
    static double contrastRatio(const QColor& first, const QColor& second);
    // Black where it reads on background, else the better of black and
    // white (one of them always reaches 4.5 to 1).
    static QColor textColourOn(const QColor& background);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit ReadableCaption(QLabel* caption);
    void follow();

    QLabel* m_caption;
};
