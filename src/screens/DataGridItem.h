#pragma once

#include <QTableWidgetItem>

// A cell of the data grid: its displayed text shows carriage returns as line
// breaks, while the stored text (the edit role) is left as written.
class DataGridItem : public QTableWidgetItem
{
public:
    DataGridItem();

    QTableWidgetItem* clone() const override;
    QVariant data(int role) const override;

    // The text as written; empty for a cell without an item.
    static QString storedText(const QTableWidgetItem* item);
};
