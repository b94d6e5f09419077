#pragma once

#include "screens/SystemDialogs.h"

#include <QQueue>
#include <QStringList>

// Answers dialogs from queues the test fills (an empty queue cancels) and
// records every web address it was asked to open.
class ScriptedDialogs : public SystemDialogs
{
public:
    std::optional<QColor> chooseColour(const QColor& initial, const QString& title) override;
    std::optional<QFont> chooseFont(const QFont& initial, const QString& title) override;
    std::optional<QString> chooseOpenFile(const QString& title, const QString& folder,
                                          const QString& filter) override;
    std::optional<QString> chooseFolder(const QString& title, const QString& folder) override;
    bool openUrl(const QString& address) override;

    void queueColour(std::optional<QColor> colour) { m_colours.enqueue(colour); }
    void queueFont(std::optional<QFont> font) { m_fonts.enqueue(font); }
    void queueFile(std::optional<QString> path) { m_files.enqueue(path); }
    void queueFolder(std::optional<QString> path) { m_folders.enqueue(path); }

    // Whether the desktop "opens" the addresses asked for; they are recorded
    // either way.
    void setOpensUrls(bool opens) { m_opensUrls = opens; }
    const QStringList& openedUrls() const { return m_openedUrls; }
    const QStringList& dialogTitles() const { return m_dialogTitles; }

private:
    template<typename T>
    std::optional<T> next(QQueue<std::optional<T>>& queue, const QString& title)
    {
        m_dialogTitles.append(title);
        return queue.isEmpty() ? std::nullopt : queue.dequeue();
    }

    QQueue<std::optional<QColor>> m_colours;
    QQueue<std::optional<QFont>> m_fonts;
    QQueue<std::optional<QString>> m_files;
    QQueue<std::optional<QString>> m_folders;
    QStringList m_openedUrls;
    bool m_opensUrls = true;
    QStringList m_dialogTitles;
};
