#include "DateChecker.h"

#include "screens/DataGrid.h"
#include "screens/ShowFailure.h"
#include "services/Clock.h"
#include "services/MessageService.h"
#include "storage/GColor1File.h"
#include "storage/StoredDate.h"

#include <QAction>
#include <QDateTime>
#include <QLineEdit>
#include <QMenu>
#include <QTableWidget>

const QString DateChecker::turnOffCaption = QStringLiteral("Turn OFF Date Checker");
const QString DateChecker::turnOnCaption = QStringLiteral("Turn ON Date Checker");

namespace {

const QString checkerOff = QStringLiteral("OFF");

} // namespace

DateChecker::DateChecker(Tracker tracker, const ProgramFolder& folder, MessageService& messages,
    Clock& clock, QObject* parent)
    : QObject(parent)
    , m_tracker(tracker)
    , m_folder(folder)
    , m_messages(messages)
    , m_clock(clock)
    , m_action(new QAction(this))
{
    m_action->setObjectName(QStringLiteral("DisableDateChecker"));
    connect(m_action, &QAction::triggered, this, &DateChecker::toggle);

    const GColor1File settings(m_folder);
    const bool on = m_tracker == Tracker::Weight ? settings.weightDateCheckerOn()
                                                 : settings.bloodPressureDateCheckerOn();
    m_state = on ? QString() : checkerOff;
    updateCaption();
}

void DateChecker::addTo(QMenu* programSetup)
{
    programSetup->addAction(m_action);
    connect(programSetup, &QMenu::aboutToShow, this, &DateChecker::updateCaption);
}

void DateChecker::updateCaption()
{
    m_action->setText(isOn() ? turnOffCaption : turnOnCaption);
}

void DateChecker::toggle()
{
    // The user's choice holds for this session even when it cannot be
    // stored.
    m_state = m_action->text() == turnOffCaption ? checkerOff : QString();
    updateCaption();
    store();
}

void DateChecker::store()
{
    const GColor1File settings(m_folder);
    const Outcome outcome = m_tracker == Tracker::Weight
        ? settings.setWeightDateChecker(isOn())
        : settings.setBloodPressureDateChecker(isOn());
    if (!outcome.succeeded)
        showSettingFailure(m_messages, outcome, QStringLiteral("date checker setting"),
            QStringLiteral("Date Checker"));
}

bool DateChecker::accepts(const QString& dateText)
{
    if (dateText.trimmed().isEmpty() || !isOn())
        return true;
    const QDate date = StoredDate::parse(dateText);
    // Today is taken as its midnight, which has always passed.
    if (!date.isValid() || QDateTime(date, QTime(0, 0)) <= m_clock.now())
        return true;
    m_messages.show({ QStringLiteral("The Date entry Cannot Exceed the Current Date!"),
        QStringLiteral("Entry Error"), MessageService::Icon::Information,
        MessageService::Buttons::Ok, MessageService::Answer::Ok });
    return false;
}

bool DateChecker::check(QLineEdit* target)
{
    if (!target || accepts(target->text()))
        return true;
    target->clear();
    target->setFocus();
    return false;
}

bool DateChecker::check(DataGrid& grid)
{
    if (accepts(grid.text()))
        return true;
    grid.setText(QString());
    grid.view()->setFocus();
    return false;
}
