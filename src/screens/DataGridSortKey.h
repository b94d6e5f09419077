#pragma once

#include "screens/DataGrid.h"

#include <QDate>
#include <QString>

// The order of one cell under a sort: empty cells, then values of the
// column's kind (numbers, or dates in a date column), then other texts
// without regard to case.
struct DataGridSortKey {
    int rank = 0;
    double number = 0;
    QDate date;
    QString text;

    static DataGridSortKey of(const QString& text, DataGrid::ColumnType type);
    static bool lessThan(const DataGridSortKey& a, const DataGridSortKey& b);
};
