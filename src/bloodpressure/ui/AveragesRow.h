#pragma once

#include <QWidget>

#include <array>

class BloodPressureAverages;
class DataGrid;
class QLabel;

// The averages below the reading log: "Averages:" (Label6(0)) and the
// systolic, diastolic and pulse averages (Label6(1) to Label6(3)), each as
// wide as the log column it stands under, and kept under it as the columns
// are resized or scrolled.
class AveragesRow : public QWidget
{
    Q_OBJECT

public:
    // The three averages stand under these columns of the log.
    static constexpr int FirstColumn = 3;

    AveragesRow(const DataGrid* grid, QWidget* parent = nullptr);

    void show(const BloodPressureAverages& averages, bool fullScreenMode);
    QLabel* label(int index) const { return m_labels[index]; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void placeUnderColumns();

    const DataGrid* m_grid;
    std::array<QLabel*, 4> m_labels {};
};
