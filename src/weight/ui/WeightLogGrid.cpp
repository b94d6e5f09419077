#include "weight/ui/WeightLogGrid.h"

#include "screens/DataGrid.h"
#include "weight/WeightFile.h"

WeightLogGrid::WeightLogGrid(DataGrid& grid)
    : m_grid(grid)
{ }

QList<WeighIn> WeightLogGrid::rows() const
{
    QList<WeighIn> rows;
    for (int row = 1; row < m_grid.rowCount(); ++row)
        rows.append(WeighIn { m_grid.text(row, DateColumn), m_grid.text(row, WeightColumn) });
    return rows;
}

QList<WeighIn> WeightLogGrid::storedRows() const
{
    QList<WeighIn> rows;
    for (int row = 1; row < m_grid.rowCount(); ++row)
        rows.append(WeighIn {
            m_grid.text(row, DateColumn).trimmed(), m_grid.text(row, WeightColumn).trimmed() });
    return rows;
}

void WeightLogGrid::showFileRows(const WeightFile& file)
{
    const int rows = file.storedRowCount();
    m_grid.setRowCount(rows);
    for (int row = 1; row < rows; ++row) {
        const WeighIn weighIn = file.row(row);
        m_grid.setText(row, DateColumn, weighIn.date.trimmed());
        m_grid.setText(row, WeightColumn, weighIn.weight.trimmed());
    }
}

QList<ProgressStatistics::DerivedRow> WeightLogGrid::shownDerivedColumns() const
{
    QList<ProgressStatistics::DerivedRow> derived;
    for (int row = 1; row < m_grid.rowCount(); ++row)
        derived.append(ProgressStatistics::DerivedRow {
            { m_grid.text(row, ChangeColumn), m_grid.isBold(row, ChangeColumn) },
            { m_grid.text(row, DifferenceColumn), m_grid.isBold(row, DifferenceColumn) } });
    return derived;
}

void WeightLogGrid::showDerivedColumns(const QList<ProgressStatistics::DerivedRow>& derived)
{
    for (int row = 1; row < m_grid.rowCount() && row - 1 < derived.size(); ++row) {
        const ProgressStatistics::DerivedRow& cells = derived[row - 1];
        m_grid.setText(row, ChangeColumn, cells.change.text);
        m_grid.setCellBold(row, ChangeColumn, cells.change.bold);
        m_grid.setText(row, DifferenceColumn, cells.difference.text);
        m_grid.setCellBold(row, DifferenceColumn, cells.difference.bold);
    }
    m_grid.setText(0, DateColumn, QStringLiteral("Sort"));
    if (m_grid.rowCount() > 1)
        m_grid.setText(1, ChangeColumn, ProgressStatistics::NotApplicable);
}

QList<WeightReport::Row> WeightLogGrid::reportRows() const
{
    QList<WeightReport::Row> rows;
    for (int row = 1; row < m_grid.rowCount(); ++row)
        rows.append(
            WeightReport::Row { m_grid.text(row, DateColumn), m_grid.text(row, WeightColumn),
                m_grid.text(row, ChangeColumn), m_grid.text(row, DifferenceColumn) });
    return rows;
}
