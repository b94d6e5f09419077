#include "screens/WidestText.h"

#include <algorithm>

WidestText::WidestText(const QFontMetrics& metrics, int atLeast)
    : m_metrics(metrics)
    , m_widest(atLeast)
{
    m_advances.fill(-1);
}

void WidestText::add(const QString& text)
{
    if (!couldBeWider(text) || m_shaped.contains(text))
        return;
    m_shaped.insert(text);
    m_widest = std::max(m_widest, m_metrics.horizontalAdvance(text));
}

bool WidestText::couldBeWider(const QString& text)
{
    int estimate = int(text.size());
    for (const QChar character : text) {
        if (character.unicode() >= m_advances.size())
            return true;
        int& advance = m_advances[character.unicode()];
        if (advance < 0)
            advance = m_metrics.horizontalAdvance(character);
        estimate += advance;
    }
    return estimate > m_widest;
}
