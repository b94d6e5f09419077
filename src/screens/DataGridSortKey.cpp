#include "screens/DataGridSortKey.h"

#include "storage/NumberText.h"
#include "storage/StoredDate.h"

#include <optional>

DataGridSortKey DataGridSortKey::of(const QString& text, DataGrid::ColumnType type)
{
    DataGridSortKey key;
    key.text = text;
    if (text.trimmed().isEmpty())
        return key;
    if (type == DataGrid::ColumnType::Date) {
        key.date = StoredDate::parse(text);
        key.rank = key.date.isValid() ? 1 : 2;
        return key;
    }
    const std::optional<double> number = NumberText::toNumber(text);
    key.number = number.value_or(0);
    key.rank = number ? 1 : 2;
    return key;
}

bool DataGridSortKey::lessThan(const DataGridSortKey& a, const DataGridSortKey& b)
{
    if (a.rank != b.rank)
        return a.rank < b.rank;
    if (a.rank == 1)
        return a.date.isValid() ? a.date < b.date : a.number < b.number;
    if (a.rank == 2)
        return QString::compare(a.text, b.text, Qt::CaseInsensitive) < 0;
    return false;
}
