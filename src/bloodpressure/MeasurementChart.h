#pragma once

#include <QGroupBox>

class DataGrid;

// The measurement chart panel (SSPanel6): a fixed table (VSFlexGrid1) of the
// blood-pressure categories, their systolic and diastolic ranges, each row
// in its category's colour. The user reads it; nothing in it is editable.
class MeasurementChart : public QGroupBox
{
    Q_OBJECT

public:
    static constexpr int Rows = 6;
    static constexpr int Columns = 4;

    explicit MeasurementChart(QWidget* parent = nullptr);

    DataGrid* grid() const { return m_grid; }

    // Texts, fonts and colours of every cell.
    void fill();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Column widths and row heights as fractions of the chart's size.
    void setCellSizes();

    DataGrid* m_grid;
};
