#pragma once

#include <QGroupBox>
#include <QList>
#include <QString>

#include <array>

class BloodPressureGuideline;
class DataGrid;

// The measurement chart panel (SSPanel6): a fixed table (VSFlexGrid1) of the
// blood-pressure categories, their systolic and diastolic ranges, each row
// in its category's colour, under the guideline the user chose (the
// program's own table unless another is chosen). The user reads it; nothing
// in it is editable.
class MeasurementChart : public QGroupBox
{
    Q_OBJECT

public:
    static constexpr int Columns = 4;
    static inline const QString Title = QStringLiteral("Blood Pressure Measurement Chart");

    explicit MeasurementChart(QWidget* parent = nullptr);

    DataGrid* grid() const { return m_grid; }

    // Rows, texts, fonts and colours of every cell; the title names a
    // guideline other than the program's own.
    void fill(const BloodPressureGuideline& guideline);

    // The sizes the texts are drawn at: 18 points for the headings and 16
    // for the categories while the chart has room for them, each stepped
    // down as far as a small chart needs.
    qreal headingPoints() const { return m_headingPoints; }
    qreal categoryPoints() const { return m_categoryPoints; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Column widths and row heights as fractions of the chart's size.
    void setCellSizes();
    // The largest sizes, up to the chart's own, at which every text is
    // shown whole in its cell, each of its lines on one line. Below the
    // smallest size the view wraps them at blanks.
    void fitFontSizes();
    // The rows first to last at points, each of their lines whole.
    bool rowsFit(int first, int last, qreal points) const;

    int rows() const { return int(m_texts.size()); }

    DataGrid* m_grid;
    QList<std::array<QString, Columns>> m_texts;
    qreal m_headingPoints;
    qreal m_categoryPoints;
};
