#pragma once

#include "screens/SystemDialogs.h"

#include <QQueue>
#include <QStringList>

#include <functional>

// Answers dialogs from queues the test fills (an empty queue cancels) and
// records every web address it was asked to open.
class ScriptedDialogs : public SystemDialogs
{
public:
    std::optional<QColor> chooseColour(const QColor& initial, const QString& title) override;
    std::optional<QFont> chooseFont(const QFont& initial, const QString& title) override;
    std::optional<QString> chooseOpenFile(
        const QString& title, const QString& folder, const QString& filter) override;
    std::optional<QString> chooseFolder(const QString& title, const QString& folder) override;
    std::optional<PrintFont> choosePrintFont(
        const PrintFont& initial, const QString& title) override;
    std::optional<QPageLayout> choosePageLayout(
        const QPageLayout& initial, const QString& title) override;
    bool choosePrinter(QPrinter& printer, const QString& title) override;
    std::optional<QString> chooseSaveFile(
        const QString& title, const QString& path, const QString& filter) override;
    bool openUrl(const QString& address) override;

    void queueColour(std::optional<QColor> colour) { m_colours.enqueue(colour); }
    void queueFont(std::optional<QFont> font) { m_fonts.enqueue(font); }
    void queueFile(std::optional<QString> path) { m_files.enqueue(path); }
    void queueFolder(std::optional<QString> path) { m_folders.enqueue(path); }
    void queuePrintFont(std::optional<PrintFont> font) { m_printFonts.enqueue(font); }
    void queuePageLayout(std::optional<QPageLayout> layout) { m_pageLayouts.enqueue(layout); }
    // The print dialog's answer: the function sets up the printer as the
    // user would (a file, copies) and returns false to cancel.
    void queuePrinter(std::function<bool(QPrinter&)> answer) { m_printers.enqueue(answer); }
    void queueSaveFile(std::optional<QString> path) { m_saveFiles.enqueue(path); }

    // Whether the desktop "opens" the addresses asked for; they are recorded
    // either way.
    void setOpensUrls(bool opens) { m_opensUrls = opens; }
    const QStringList& openedUrls() const { return m_openedUrls; }
    const QStringList& dialogTitles() const { return m_dialogTitles; }
    // The colours the colour dialog was opened with.
    const QList<QColor>& initialColours() const { return m_initialColours; }
    // The fonts the print font dialog was opened with, and the paths the
    // save dialog suggested.
    const QList<PrintFont>& initialPrintFonts() const { return m_initialPrintFonts; }
    const QStringList& suggestedSavePaths() const { return m_suggestedSavePaths; }

private:
    template <typename T>
    std::optional<T> next(QQueue<std::optional<T>>& queue, const QString& title)
    {
        m_dialogTitles.append(title);
        return queue.isEmpty() ? std::nullopt : queue.dequeue();
    }

    QQueue<std::optional<QColor>> m_colours;
    QQueue<std::optional<QFont>> m_fonts;
    QQueue<std::optional<QString>> m_files;
    QQueue<std::optional<QString>> m_folders;
    QQueue<std::optional<PrintFont>> m_printFonts;
    QQueue<std::optional<QPageLayout>> m_pageLayouts;
    QQueue<std::function<bool(QPrinter&)>> m_printers;
    QQueue<std::optional<QString>> m_saveFiles;
    QList<PrintFont> m_initialPrintFonts;
    QList<QColor> m_initialColours;
    QStringList m_suggestedSavePaths;
    QStringList m_openedUrls;
    bool m_opensUrls = true;
    QStringList m_dialogTitles;
};
