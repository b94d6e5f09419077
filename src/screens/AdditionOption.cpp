#include "AdditionOption.h"

#include "screens/NamedWidget.h"
#include "screens/ShowFailure.h"

#include <QAction>
#include <QMenu>

AdditionOption::AdditionOption(const ScreenServices& services, QMenu* menu,
    ProgramSettings::Addition addition, const char* name, const QString& caption,
    const QString& screenTitle, Apply apply)
    : QObject(menu)
    , m_services(services)
    , m_addition(addition)
    , m_screenTitle(screenTitle)
    , m_apply(std::move(apply))
    , m_action(named(new QAction(caption, menu), name))
{
    m_action->setCheckable(true);
    // After the screen's own items, apart from them.
    if (!menu->actions().isEmpty() && !menu->actions().constLast()->isSeparator()
        && menu->actions().constLast()->property("addition").isNull())
        menu->addSeparator();
    m_action->setProperty("addition", true);
    menu->addAction(m_action);
    connect(m_action, &QAction::toggled, this, &AdditionOption::toggled);
}

bool AdditionOption::isOn() const
{
    return m_action->isChecked();
}

void AdditionOption::applyStored()
{
    const bool on = ProgramSettings(m_services.folder).additionShown(m_addition);
    const QSignalBlocker quiet(m_action);
    m_action->setChecked(on);
    m_apply(on);
}

void AdditionOption::toggled(bool on)
{
    // The choice holds for this session even when it cannot be stored.
    if (const Outcome stored = ProgramSettings(m_services.folder).setAdditionShown(m_addition, on);
        !stored.succeeded)
        showSettingFailure(m_services.messages, stored,
            QStringLiteral("choice \"%1\"").arg(m_action->text().remove(u'&')), m_screenTitle);
    m_apply(on);
}
