#include "ScriptedDialogs.h"

std::optional<QColor> ScriptedDialogs::chooseColour(const QColor&, const QString& title)
{
    return next(m_colours, title);
}

std::optional<QFont> ScriptedDialogs::chooseFont(const QFont&, const QString& title)
{
    return next(m_fonts, title);
}

std::optional<QString> ScriptedDialogs::chooseOpenFile(const QString& title, const QString&,
                                                       const QString&)
{
    return next(m_files, title);
}

std::optional<QString> ScriptedDialogs::chooseFolder(const QString& title, const QString&)
{
    return next(m_folders, title);
}

bool ScriptedDialogs::openUrl(const QString& address)
{
    m_openedUrls.append(address);
    return m_opensUrls;
}
