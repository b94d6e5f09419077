#include "passwords/ui/PasswordList.h"

#include "passwords/IndexItem.h"
#include "screens/GuardedComboBox.h"
#include "screens/NamedWidget.h"
#include "trackers/IndividualList.h"

#include <QAbstractItemView>
#include <QLabel>
#include <QStandardItem>
#include <QStandardItemModel>
#include <QStyle>

#include <algorithm>

namespace {

// Combo1 is as wide as this many capital Ns.
constexpr int ListWidthInCharacters = 35;

} // namespace

PasswordList::PasswordList(QWidget* panel, QObject* parent)
    : QObject(parent)
{
    m_box = named(new GuardedComboBox(panel), "Combo1");
    m_box->setContextMenuPolicy(Qt::PreventContextMenu);
    // Its width is fixed below; measuring every item for a size hint would
    // only cost time with thousands listed.
    m_box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_measure = named(new QLabel(panel), "Label4");
    m_measure->hide();
}

void PasswordList::showItems(const QStringList& items)
{
    // Only the rows between the unchanged beginning and the unchanged end
    // are replaced.
    qsizetype same = 0;
    while (same < items.size() && same < m_items.size() && items.at(same) == m_items.at(same))
        ++same;
    qsizetype sameAtEnd = 0;
    while (sameAtEnd < items.size() - same && sameAtEnd < m_items.size() - same
        && items.at(items.size() - 1 - sameAtEnd) == m_items.at(m_items.size() - 1 - sameAtEnd))
        ++sameAtEnd;
    model().removeRows(int(same), int(m_items.size() - same - sameAtEnd));
    // Only the name shows, in the box and in its drop-down; the record
    // number stays with the item. New rows go in together: one at a time,
    // the list would be told of each.
    QList<QStandardItem*> rows;
    for (qsizetype i = same; i < items.size() - sameAtEnd; ++i)
        rows.append(newRow(items.at(i)));
    if (!rows.isEmpty())
        model().invisibleRootItem()->insertRows(int(same), rows);
    m_items = items;
    m_box->setCurrentIndex(-1);
    fitDropDownToNames();
}

void PasswordList::addItem(const QString& item)
{
    const auto position
        = std::upper_bound(m_items.cbegin(), m_items.cend(), item, IndividualList::lessThan)
        - m_items.cbegin();
    m_items.insert(position, item);
    model().insertRow(int(position), newRow(item));
    m_box->setCurrentIndex(-1);
    fitDropDownTo(int(position));
}

void PasswordList::removeItem(const QString& item)
{
    const qsizetype position = m_items.indexOf(item);
    if (position >= 0) {
        m_items.removeAt(position);
        model().removeRow(int(position));
    }
    m_box->setCurrentIndex(-1);
    // The widest name may have gone; the drop-down never grows from this.
    if (position >= 0)
        fitDropDownToNames();
}

QStandardItem* PasswordList::newRow(const QString& item)
{
    auto* row = new QStandardItem(IndexItem(item).name());
    row->setData(item, Qt::UserRole);
    return row;
}

void PasswordList::fitWidth()
{
    m_measure->setText(QString(ListWidthInCharacters, QLatin1Char('N')));
    m_measure->adjustSize();
    m_box->setFixedWidth(m_measure->width());
}

// The box is only so wide; the drop-down shows long names whole. Its width
// is that of the widest name's row, measured alone rather than every row in
// turn.
void PasswordList::fitDropDownToNames()
{
    const QFontMetrics metrics(m_box->view()->font());
    int widestRow = -1;
    int widest = -1;
    for (int row = 0; row < m_box->count(); ++row) {
        if (const int width = metrics.horizontalAdvance(m_box->itemText(row)); width > widest) {
            widest = width;
            widestRow = row;
        }
    }
    m_widestName = -1;
    fitDropDownTo(widestRow);
}

// A row as wide as the widest so far widens the drop-down to hold it.
void PasswordList::fitDropDownTo(int row)
{
    const QFontMetrics metrics(m_box->view()->font());
    const int width = row >= 0 ? metrics.horizontalAdvance(m_box->itemText(row)) : -1;
    if (row >= 0 && width <= m_widestName)
        return;
    m_widestName = width;
    const int dropDownWidth
        = row >= 0 ? m_box->view()->sizeHintForIndex(model().index(row, 0)).width() : 0;
    m_box->view()->setMinimumWidth(
        dropDownWidth + m_box->view()->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 8);
}

QStandardItemModel& PasswordList::model() const
{
    // A combo box's own model is a QStandardItemModel.
    return *static_cast<QStandardItemModel*>(m_box->model());
}
