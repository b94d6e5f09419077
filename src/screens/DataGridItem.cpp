#include "screens/DataGridItem.h"

DataGridItem::DataGridItem()
    : QTableWidgetItem(UserType)
{ }

QTableWidgetItem* DataGridItem::clone() const
{
    return new DataGridItem(*this);
}

QVariant DataGridItem::data(int role) const
{
    QVariant value = QTableWidgetItem::data(role);
    if (role != Qt::DisplayRole)
        return value;
    QString text = value.toString();
    text.replace(QLatin1String("\r\n"), QString(QChar::LineSeparator));
    text.replace(QLatin1Char('\r'), QChar::LineSeparator);
    text.replace(QLatin1Char('\n'), QChar::LineSeparator);
    return text;
}

QString DataGridItem::storedText(const QTableWidgetItem* item)
{
    return item ? item->data(Qt::EditRole).toString() : QString();
}
