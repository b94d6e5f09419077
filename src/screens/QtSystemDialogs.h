#pragma once

#include "screens/SystemDialogs.h"

// The desktop's colour, font, file, folder and print dialogs and its
// web-address handler.
class QtSystemDialogs : public SystemDialogs
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
};
