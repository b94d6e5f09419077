#include "ScriptedDialogs.h"

std::optional<QColor> ScriptedDialogs::chooseColour(const QColor& initial, const QString& title)
{
    m_initialColours.append(initial);
    return next(m_colours, title);
}

std::optional<QFont> ScriptedDialogs::chooseFont(const QFont&, const QString& title)
{
    return next(m_fonts, title);
}

std::optional<QString> ScriptedDialogs::chooseOpenFile(
    const QString& title, const QString&, const QString&)
{
    return next(m_files, title);
}

std::optional<QString> ScriptedDialogs::chooseFolder(const QString& title, const QString&)
{
    return next(m_folders, title);
}

std::optional<PrintFont> ScriptedDialogs::choosePrintFont(
    const PrintFont& initial, const QString& title)
{
    m_initialPrintFonts.append(initial);
    return next(m_printFonts, title);
}

std::optional<QPageLayout> ScriptedDialogs::choosePageLayout(
    const QPageLayout&, const QString& title)
{
    return next(m_pageLayouts, title);
}

bool ScriptedDialogs::choosePrinter(QPrinter& printer, const QString& title)
{
    m_dialogTitles.append(title);
    return !m_printers.isEmpty() && m_printers.dequeue()(printer);
}

std::optional<QString> ScriptedDialogs::chooseSaveFile(
    const QString& title, const QString& path, const QString&)
{
    m_suggestedSavePaths.append(path);
    return next(m_saveFiles, title);
}

bool ScriptedDialogs::openUrl(const QString& address)
{
    m_openedUrls.append(address);
    return m_opensUrls;
}
