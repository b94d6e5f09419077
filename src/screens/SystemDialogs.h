#pragma once

#include <QColor>
#include <QFont>
#include <QString>

#include <optional>

// The colour, font, file and folder dialogs and the opening of web addresses,
// behind one interface so that tests script the answers.
class SystemDialogs
{
public:
    virtual ~SystemDialogs() = default;

    // Each returns nothing when the user cancels.
    virtual std::optional<QColor> chooseColour(const QColor& initial, const QString& title) = 0;
    virtual std::optional<QFont> chooseFont(const QFont& initial, const QString& title) = 0;
    virtual std::optional<QString> chooseOpenFile(const QString& title, const QString& folder,
                                                  const QString& filter) = 0;
    virtual std::optional<QString> chooseFolder(const QString& title, const QString& folder) = 0;

    // Opens a web address with the desktop's handler; false when it could not.
    virtual bool openUrl(const QString& address) = 0;
};
