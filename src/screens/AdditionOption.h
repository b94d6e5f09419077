#pragma once

#include "screens/ScreenServices.h"
#include "storage/ProgramSettings.h"

#include <QObject>
#include <QString>

#include <functional>

class QAction;
class QMenu;

// Something a screen shows beyond what it always showed: a checkable item at
// the end of the screen's Options menu, off until the user ticks it, and
// remembered in Halvorn.ini. Ticking or unticking applies it at once.
class AdditionOption : public QObject
{
    Q_OBJECT

public:
    using Apply = std::function<void(bool shown)>;

    AdditionOption(const ScreenServices& services, QMenu* menu, ProgramSettings::Addition addition,
        const char* name, const QString& caption, const QString& screenTitle, Apply apply);

    bool isOn() const;
    QAction* action() const { return m_action; }
    // Reads the stored choice again and applies it, as the screen opens.
    void applyStored();

private:
    void toggled(bool on);

    ScreenServices m_services;
    ProgramSettings::Addition m_addition;
    QString m_screenTitle;
    Apply m_apply;
    QAction* m_action;
};
