#pragma once

#include "storage/ProgramFolder.h"

#include <QDate>
#include <QObject>
#include <QString>

class Clock;
class DataGrid;
class MessageService;
class QAction;
class QLineEdit;
class QMenu;

// Refuses calendar dates later than the present moment on a tracker screen,
// unless the user has switched the check off for that tracker. The switch is
// kept in GColor1.Fil, one record per tracker, and survives restarts.
class DateChecker : public QObject
{
    Q_OBJECT
public:
    enum class Tracker { Weight, BloodPressure };

    // Reads the tracker's switch at once; a record that cannot be read
    // leaves the check on.
    DateChecker(Tracker tracker, const ProgramFolder& folder, MessageService& messages,
        Clock& clock, QObject* parent = nullptr);

    // "OFF" while the check is off, empty while it is on.
    const QString& dateCheckerState() const { return m_state; }
    bool isOn() const { return m_state.trimmed().isEmpty(); }

    // The menu item `DisableDateChecker`; its caption is brought up to date
    // whenever the menu it is added to opens.
    QAction* menuAction() const { return m_action; }
    void addTo(QMenu* programSetup);
    void updateCaption();
    void toggle();

    // The check after a pick, once the date text has been written into its
    // target: true when the text may stay. False only after the "Entry
    // Error" message has been shown; the caller then empties the target.
    bool accepts(const QString& dateText);
    // The same for a text box and for the grid's current cell: on refusal the
    // target is emptied and given the focus (for a cell, the grid).
    bool check(QLineEdit* target);
    bool check(DataGrid& grid);

    static const QString turnOffCaption;
    static const QString turnOnCaption;

private:
    void store();

    Tracker m_tracker;
    ProgramFolder m_folder;
    MessageService& m_messages;
    Clock& m_clock;
    QAction* m_action;
    QString m_state;
};
