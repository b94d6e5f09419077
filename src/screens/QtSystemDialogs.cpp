#include "QtSystemDialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFontDialog>
#include <QUrl>

std::optional<QColor> QtSystemDialogs::chooseColour(const QColor& initial, const QString& title)
{
    const QColor colour = QColorDialog::getColor(initial, QApplication::activeWindow(), title);
    if (!colour.isValid())
        return std::nullopt;
    return colour;
}

std::optional<QFont> QtSystemDialogs::chooseFont(const QFont& initial, const QString& title)
{
    bool accepted = false;
    const QFont font
        = QFontDialog::getFont(&accepted, initial, QApplication::activeWindow(), title);
    if (!accepted)
        return std::nullopt;
    return font;
}

std::optional<QString> QtSystemDialogs::chooseOpenFile(
    const QString& title, const QString& folder, const QString& filter)
{
    const QString path
        = QFileDialog::getOpenFileName(QApplication::activeWindow(), title, folder, filter);
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

std::optional<QString> QtSystemDialogs::chooseFolder(const QString& title, const QString& folder)
{
    const QString path
        = QFileDialog::getExistingDirectory(QApplication::activeWindow(), title, folder);
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

bool QtSystemDialogs::openUrl(const QString& address)
{
    // A bare "www.example.org" typed by the user is a web address, not a
    // local file name.
    QUrl url = QUrl::fromUserInput(address);
    if (!url.isValid() || url.isEmpty())
        return false;
    return QDesktopServices::openUrl(url);
}
