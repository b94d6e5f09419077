#include "trackers/ui/ColumnMappingPanel.h"

#include "screens/NamedWidget.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QSignalBlocker>

#include <algorithm>

namespace {

using Field = ColumnMapping::Field;
using Order = ColumnMapping::DateOrder;
using Unit = WeightPersonSettings::Unit;

} // namespace

ColumnMappingPanel::ColumnMappingPanel(bool weights, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("ImportMapping"));
    auto* form = new QFormLayout(this);
    form->setContentsMargins(0, 0, 0, 0);
    m_columns.insert(Field::Date, addChoice("mapDate", QStringLiteral("&Date column:")));
    m_columns.insert(Field::Time, addChoice("mapTime", QStringLiteral("&Time column:")));
    if (weights) {
        m_columns.insert(Field::Weight, addChoice("mapWeight", QStringLiteral("&Weight column:")));
    } else {
        m_columns.insert(
            Field::Systolic, addChoice("mapSystolic", QStringLiteral("&Systolic column:")));
        m_columns.insert(
            Field::Diastolic, addChoice("mapDiastolic", QStringLiteral("Diast&olic column:")));
        m_columns.insert(Field::Pulse, addChoice("mapPulse", QStringLiteral("P&ulse column:")));
    }
    m_dateOrder = addChoice("mapDateOrder", QStringLiteral("Date o&rder:"));
    m_dateOrder->addItem(QStringLiteral("Year-month-day (2023-01-15)"), int(Order::YearMonthDay));
    m_dateOrder->addItem(QStringLiteral("Day-month-year (15.01.2023)"), int(Order::DayMonthYear));
    m_dateOrder->addItem(QStringLiteral("Month-day-year (01/15/2023)"), int(Order::MonthDayYear));
    if (weights) {
        m_unit = addChoice("mapUnit", QStringLiteral("U&nit of the weights:"));
        m_unit->addItem(QStringLiteral("The person's unit"), -1);
        m_unit->addItem(QStringLiteral("kg"), int(Unit::Kilograms));
        m_unit->addItem(QStringLiteral("lb"), int(Unit::Pounds));
    }
}

QComboBox* ColumnMappingPanel::addChoice(const char* objectName, const QString& label)
{
    auto* choice = named(new QComboBox(this), objectName);
    auto* caption = new QLabel(label, this);
    caption->setBuddy(choice);
    static_cast<QFormLayout*>(layout())->addRow(caption, choice);
    connect(choice, &QComboBox::currentIndexChanged, this, &ColumnMappingPanel::changed);
    return choice;
}

void ColumnMappingPanel::showChoices(const QStringList& headings, const ColumnMapping& mapping)
{
    // Showing is not choosing: changed() stays for the user's choices.
    const QSignalBlocker quiet(this);
    for (auto column = m_columns.begin(); column != m_columns.end(); ++column) {
        QComboBox* choice = column.value();
        if (headings != m_headings) {
            choice->clear();
            choice->addItem(QStringLiteral("(none)"), QString());
            for (const QString& heading : headings)
                choice->addItem(heading, heading);
        }
        const int at = choice->findData(
            mapping.headings.value(column.key()).trimmed(), Qt::UserRole, Qt::MatchFixedString);
        choice->setCurrentIndex(std::max(at, 0));
    }
    m_headings = headings;
    m_dateOrder->setCurrentIndex(m_dateOrder->findData(int(mapping.dateOrder)));
    if (m_unit)
        m_unit->setCurrentIndex(m_unit->findData(mapping.unit ? int(*mapping.unit) : -1));
}

ColumnMapping ColumnMappingPanel::mapping() const
{
    ColumnMapping mapping;
    for (auto column = m_columns.begin(); column != m_columns.end(); ++column)
        if (const QString heading = column.value()->currentData().toString(); !heading.isEmpty())
            mapping.headings.insert(column.key(), heading);
    mapping.dateOrder = Order(m_dateOrder->currentData().toInt());
    if (m_unit && m_unit->currentData().toInt() >= 0)
        mapping.unit = Unit(m_unit->currentData().toInt());
    return mapping;
}
