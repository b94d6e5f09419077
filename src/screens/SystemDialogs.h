#pragma once

#include "print/PrintFont.h"

#include <QColor>
#include <QFont>
#include <QPageLayout>
#include <QString>

#include <optional>

class QPrinter;

// The colour, font, file, folder, page-setup and print dialogs and the
// opening of web addresses, behind one interface so that tests script the
// answers.
class SystemDialogs
{
public:
    virtual ~SystemDialogs() = default;

    // Each returns nothing when the user cancels.
    virtual std::optional<QColor> chooseColour(const QColor& initial, const QString& title) = 0;
    virtual std::optional<QFont> chooseFont(const QFont& initial, const QString& title) = 0;
    virtual std::optional<QString> chooseOpenFile(
        const QString& title, const QString& folder, const QString& filter)
        = 0;
    virtual std::optional<QString> chooseFolder(const QString& title, const QString& folder) = 0;

    // The print font with its effects (underline, strike-through, colour).
    virtual std::optional<PrintFont> choosePrintFont(const PrintFont& initial, const QString& title)
        = 0;
    // Paper size and orientation; the margins of the result are 0.
    virtual std::optional<QPageLayout> choosePageLayout(
        const QPageLayout& initial, const QString& title)
        = 0;
    // The print dialog over printer (which printer or file, copies, pages);
    // false when the user cancels.
    virtual bool choosePrinter(QPrinter& printer, const QString& title) = 0;
    // A file to write, suggested as path.
    virtual std::optional<QString> chooseSaveFile(
        const QString& title, const QString& path, const QString& filter)
        = 0;

    // Opens a web address with the desktop's handler; false when it could not.
    virtual bool openUrl(const QString& address) = 0;
};
