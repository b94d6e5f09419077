#pragma once

#include "bloodpressure/Reading.h"
#include "bloodpressure/ReadingPickLists.h"

#include <QGroupBox>
#include <QString>

#include <array>
#include <optional>

class QComboBox;
class QPushButton;
class QRadioButton;
class QTime;

// The data entry panel (SSPanel5) from which a reading's time and its three
// measurements are picked: the hour and minute lists with AM and PM, and the
// systolic, diastolic and pulse lists, with Enter and Cancel. It only offers
// and reads choices; the screen writes them into the log.
class ReadingEntryPanel : public QGroupBox
{
    Q_OBJECT

public:
    static inline const QString CaptionStart = QStringLiteral("Blood Pressure Entry Area For: ");

    explicit ReadingEntryPanel(QWidget* parent = nullptr);

    // PrepareReadingEntry: the caption names the reading's date, and the
    // lists preselect its values (see ReadingPickLists::prepare).
    void prepare(const Reading& reading, const QTime& now);

    // The picked time, systolic, diastolic and pulse texts (date left
    // empty), or nothing when a list has no choice; then *missing names it.
    std::optional<Reading> pickedReading(QString* missing) const;
    // Gives the first list without a choice the focus.
    void focusFirstEmptyList();

    QComboBox* list(ReadingPickLists::List list) const { return m_lists[list]; }

signals:
    void enterClicked();
    void cancelClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::array<QComboBox*, ReadingPickLists::ListCount> m_lists {}; // Combo2(0) to Combo2(4)
    QRadioButton* m_am; // SSOption1(0)
    QRadioButton* m_pm; // SSOption1(1)
    QPushButton* m_enter; // SSCommand11(0)
    QPushButton* m_cancel; // SSCommand11(1)
};
