#pragma once

#include <QWidget>

class BloodPressureStatistics;
class QGroupBox;
class QLabel;
class QPushButton;

// Under the averages: the morning and the evening averages, shown when both
// have readings; the guideline the log's colours follow; and the
// home-monitoring week, in a small panel the user opens on demand.
class BloodPressureFiguresPanel : public QWidget
{
    Q_OBJECT

public:
    explicit BloodPressureFiguresPanel(QWidget* parent = nullptr);

    void show(const BloodPressureStatistics& statistics);

    QLabel* morningAndEvening() const { return m_morningAndEvening; }
    QLabel* guideline() const { return m_guideline; }
    QPushButton* homeWeekButton() const { return m_homeWeekButton; }
    QGroupBox* homeWeekPanel() const { return m_homeWeekPanel; }
    QLabel* homeWeek() const { return m_homeWeek; }

private:
    QLabel* m_morningAndEvening;
    QLabel* m_guideline;
    QPushButton* m_homeWeekButton;
    QGroupBox* m_homeWeekPanel;
    QLabel* m_homeWeek;
};
