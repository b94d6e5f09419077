#include "QtSystemDialogs.h"

#include "screens/PageSetupDialog.h"
#include "screens/PrintFontDialog.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFontDialog>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
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

std::optional<PrintFont> QtSystemDialogs::choosePrintFont(
    const PrintFont& initial, const QString& title)
{
    PrintFontDialog dialog(initial, QApplication::activeWindow());
    dialog.setWindowTitle(title);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.selectedFont();
}

std::optional<QPageLayout> QtSystemDialogs::choosePageLayout(
    const QPageLayout& initial, const QString& title)
{
    // The platform's page setup works on a real printer only; without one
    // (no CUPS queue) it refuses to open, and our own small dialog asks for
    // what the reports use: the paper and the orientation.
    const QPrinterInfo printerInfo = QPrinterInfo::defaultPrinter();
    if (printerInfo.isNull()) {
        PageSetupDialog dialog(initial, QApplication::activeWindow());
        dialog.setWindowTitle(title);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.selectedLayout();
    }
    QPrinter printer(printerInfo);
    printer.setPageLayout(initial);
    QPageSetupDialog dialog(&printer, QApplication::activeWindow());
    dialog.setWindowTitle(title);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    QPageLayout chosen = printer.pageLayout();
    chosen.setMinimumMargins(QMarginsF());
    chosen.setMargins(QMarginsF());
    return chosen;
}

bool QtSystemDialogs::choosePrinter(QPrinter& printer, const QString& title)
{
    QPrintDialog dialog(&printer, QApplication::activeWindow());
    dialog.setWindowTitle(title);
    return dialog.exec() == QDialog::Accepted;
}

std::optional<QString> QtSystemDialogs::chooseSaveFile(
    const QString& title, const QString& path, const QString& filter)
{
    const QString chosen
        = QFileDialog::getSaveFileName(QApplication::activeWindow(), title, path, filter);
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen;
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
