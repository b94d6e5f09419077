#pragma once

#include "storage/WeightPersonSettings.h"
#include "weight/WeightAverages.h"

#include <QGroupBox>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class WeightStatistics;

// The averages view: the weigh-ins by ISO week and by calendar month, each
// with its number of weigh-ins, average and change from the period before;
// and the displayed person's unit, stones and height, which are kept in the
// program's settings file, never in the weight file.
class WeightAveragesPanel : public QGroupBox
{
    Q_OBJECT

public:
    explicit WeightAveragesPanel(QWidget* parent = nullptr);

    void showAverages(const QString& name, const WeightStatistics& statistics);
    // The person's settings in the controls; problem, when not empty, says
    // why the stored ones could not be read.
    void showSettings(const WeightPersonSettings::Values& values, const QString& problem);
    // What the controls hold, or nothing with the reason when the height is
    // not a height.
    std::optional<WeightPersonSettings::Values> enteredSettings(QString& refusal) const;

    QTableWidget* weekly() const { return m_weekly; }
    QTableWidget* monthly() const { return m_monthly; }

signals:
    void saveUnitsClicked();

private:
    static void fill(QTableWidget* table, const QList<WeightAverages::Period>& periods,
        const WeightPersonSettings::Values& settings);
    void unitChosen();
    void convertHeight();

    QTableWidget* m_weekly;
    QTableWidget* m_monthly;
    QComboBox* m_unit;
    QCheckBox* m_stones;
    QLabel* m_heightLabel;
    QLineEdit* m_height;
    QPushButton* m_save;
    QLabel* m_problem;
    // The unit the height box's figure is in.
    std::optional<WeightPersonSettings::Unit> m_shownUnit;
};
