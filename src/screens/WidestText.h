#pragma once

#include <QFontMetrics>
#include <QSet>
#include <QString>

#include <array>

// The width of the widest of many texts in one font, as
// QFontMetrics::horizontalAdvance gives it, without shaping every text: a
// log of thousands of rows is laid out on every resize. The sum of a text's
// characters' own advances is quick and differs from its shaped width by
// kerning, at most a pixel for each character, so a text that falls short
// of the widest so far by more than that cannot be the widest and is not
// shaped. Texts that repeat are shaped once.
class WidestText
{
public:
    // atLeast: the width to beat, such as that of a text not yet written.
    WidestText(const QFontMetrics& metrics, int atLeast);

    void add(const QString& text);
    int width() const { return m_widest; }

private:
    bool couldBeWider(const QString& text);

    QFontMetrics m_metrics;
    int m_widest;
    // The advances of the Latin-1 characters, measured as first met.
    std::array<int, 256> m_advances;
    QSet<QString> m_shaped;
};
