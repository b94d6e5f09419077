#pragma once

#include "weight/ProgressStatistics.h"
#include "weight/WeighIn.h"
#include "weight/WeightReport.h"

#include <QList>

class DataGrid;
class WeightFile;

// The weigh-in log as the grid holds it: rows 1 to N - 1 hold the date, the
// weight and the two derived columns (change from the last entry and
// difference from the beginning weight).
class WeightLogGrid
{
public:
    static constexpr int DateColumn = 1;
    static constexpr int WeightColumn = 2;
    static constexpr int ChangeColumn = 3;
    static constexpr int DifferenceColumn = 4;

    explicit WeightLogGrid(DataGrid& grid);

    // The dates and weights as typed, and trimmed as the file stores them.
    QList<WeighIn> rows() const;
    QList<WeighIn> storedRows() const;
    void showFileRows(const WeightFile& file);

    // The derived columns as the grid holds them now: Delete Row leaves
    // them as they were, and a result of 0 keeps a cell's boldness.
    QList<ProgressStatistics::DerivedRow> shownDerivedColumns() const;
    // Writes the recomputed columns with "Sort" on the heading row and the
    // first row's change not applicable.
    void showDerivedColumns(const QList<ProgressStatistics::DerivedRow>& derived);

    QList<WeightReport::Row> reportRows() const;

private:
    DataGrid& m_grid;
};
