#pragma once

#include "services/HelpService.h"

#include <QList>

// Records the help topics a screen asked for instead of opening a window.
class RecordingHelp : public HelpService
{
public:
    void showHelpTopic(int context) override { m_topics.append(context); }

    const QList<int>& topics() const { return m_topics; }
    int last() const { return m_topics.isEmpty() ? 0 : m_topics.last(); }
    void clear() { m_topics.clear(); }

private:
    QList<int> m_topics;
};
