#include "weight/ui/WeightAveragesPanel.h"

#include "screens/NamedWidget.h"
#include "storage/NumberText.h"
#include "weight/WeightStatistics.h"
#include "weight/WeightUnits.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cmath>

namespace {

using Unit = WeightPersonSettings::Unit;

QTableWidget* averagesTable(QWidget* parent, const char* name, const QString& period)
{
    auto* table = named(new QTableWidget(0, 4, parent), name);
    table->setHorizontalHeaderLabels({ period, QStringLiteral("Weigh-ins"),
        QStringLiteral("Average"), QStringLiteral("Change") });
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

// The unit box's items, in this order.
enum UnitItem { NoUnitItem, PoundsItem, KilogramsItem };

std::optional<Unit> unitOfItem(int item)
{
    if (item == PoundsItem)
        return Unit::Pounds;
    if (item == KilogramsItem)
        return Unit::Kilograms;
    return std::nullopt;
}

int itemOfUnit(const std::optional<Unit>& unit)
{
    return !unit ? NoUnitItem : *unit == Unit::Kilograms ? KilogramsItem : PoundsItem;
}

QString heightCaption(const std::optional<Unit>& unit)
{
    if (!unit)
        return QStringLiteral("Height:");
    return unit == Unit::Kilograms ? QStringLiteral("Height (centimetres):")
                                   : QStringLiteral("Height (inches):");
}

} // namespace

WeightAveragesPanel::WeightAveragesPanel(QWidget* parent)
    : QGroupBox(parent)
{
    setObjectName(QStringLiteral("AveragesPanel"));
    m_weekly = averagesTable(this, "WeeklyAverages", QStringLiteral("Week"));
    m_monthly = averagesTable(this, "MonthlyAverages", QStringLiteral("Month"));

    m_unit = named(new QComboBox(this), "UnitBox");
    m_unit->addItem(QStringLiteral("No unit chosen"));
    m_unit->addItem(QStringLiteral("Pounds (lb)"));
    m_unit->addItem(QStringLiteral("Kilograms (kg)"));
    m_unit->setAccessibleName(QStringLiteral("Weights are in"));
    m_stones = named(new QCheckBox(QStringLiteral("Show Stones and Pounds"), this), "StonesCheck");
    m_heightLabel = named(new QLabel(heightCaption(std::nullopt), this), "HeightLabel");
    m_height = named(new QLineEdit(this), "HeightBox");
    m_height->setMaximumWidth(80);
    m_heightLabel->setBuddy(m_height);
    m_save = named(new QPushButton(QStringLiteral("Save &Units"), this), "SaveUnitsButton");
    m_problem = named(new QLabel(this), "UnitsProblem");
    m_problem->setWordWrap(true);
    m_problem->hide();
    connect(m_unit, &QComboBox::currentIndexChanged, this, [this] {
        convertHeight();
        unitChosen();
        m_shownUnit = unitOfItem(m_unit->currentIndex());
    });
    connect(m_save, &QPushButton::clicked, this, &WeightAveragesPanel::saveUnitsClicked);

    // Two short rows rather than one long one, so that the panel fits an
    // 800 by 600 screen.
    auto* units = new QGridLayout;
    units->addWidget(new QLabel(QStringLiteral("Weights are in:"), this), 0, 0);
    units->addWidget(m_unit, 0, 1);
    units->addWidget(m_stones, 0, 2, 1, 2);
    units->addWidget(m_heightLabel, 1, 0);
    units->addWidget(m_height, 1, 1);
    units->addWidget(m_save, 1, 2);
    units->setColumnStretch(4, 1);

    // One table at a time, each the panel's whole width: on an 800 by 600
    // screen two side by side would cut the averages short.
    auto* tables = named(new QTabWidget(this), "AveragesTabs");
    tables->addTab(m_weekly, QStringLiteral("&Weekly Averages (ISO weeks)"));
    tables->addTab(m_monthly, QStringLiteral("&Monthly Averages"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tables, 1);
    layout->addLayout(units);
    layout->addWidget(m_problem);
}

void WeightAveragesPanel::showAverages(const QString& name, const WeightStatistics& statistics)
{
    setTitle(name.trimmed() + QStringLiteral(" Weekly and Monthly Averages"));
    fill(m_weekly, statistics.weekly(), statistics.settings());
    fill(m_monthly, statistics.monthly(), statistics.settings());
}

void WeightAveragesPanel::fill(QTableWidget* table, const QList<WeightAverages::Period>& periods,
    const WeightPersonSettings::Values& settings)
{
    table->setRowCount(int(periods.size()));
    for (int row = 0; row < periods.size(); ++row) {
        const WeightAverages::Period& period = periods[row];
        const QStringList cells { period.label, QString::number(period.weighIns),
            WeightUnits::weightText(period.average, settings),
            period.change ? WeightUnits::changeText(*period.change) : QString() };
        for (int column = 0; column < cells.size(); ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            if (column > 0)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table->setItem(row, column, item);
        }
    }
    // The latest period is the one a person looks for.
    if (!periods.isEmpty())
        table->scrollToBottom();
}

void WeightAveragesPanel::showSettings(
    const WeightPersonSettings::Values& values, const QString& problem)
{
    {
        const QSignalBlocker quiet(m_unit);
        m_unit->setCurrentIndex(itemOfUnit(values.unit));
    }
    m_shownUnit = values.unit;
    m_stones->setChecked(values.stones);
    m_height->setText(values.height ? QString::number(*values.height) : QString());
    unitChosen();
    m_problem->setText(problem.isEmpty() ? QString()
                                         : problem
                + QStringLiteral(" - the weights are shown without a unit until it is mended."));
    m_problem->setVisible(!problem.isEmpty());
}

std::optional<WeightPersonSettings::Values> WeightAveragesPanel::enteredSettings(
    QString& refusal) const
{
    WeightPersonSettings::Values values;
    values.unit = unitOfItem(m_unit->currentIndex());
    values.stones = values.unit == Unit::Pounds && m_stones->isChecked();
    const QString height = m_height->text().trimmed();
    if (values.unit && !height.isEmpty()) {
        const std::optional<double> number = NumberText::toNumber(height);
        refusal = number ? WeightPersonSettings::heightRefusal(*values.unit, *number)
                         : QStringLiteral("The height must be a number, or empty.");
        if (!refusal.isEmpty())
            return std::nullopt;
        values.height = number;
    }
    return values;
}

void WeightAveragesPanel::convertHeight()
{
    // A height keeps its length through a change of unit: 66 inches become
    // 167.6 centimetres, never 66.
    const std::optional<double> height = NumberText::toNumber(m_height->text());
    const std::optional<Unit> unit = unitOfItem(m_unit->currentIndex());
    if (!height || !m_shownUnit || !unit || unit == m_shownUnit)
        return;
    constexpr double CentimetresPerInch = 2.54;
    const double converted
        = unit == Unit::Kilograms ? *height * CentimetresPerInch : *height / CentimetresPerInch;
    m_height->setText(QString::number(std::round(converted * 10) / 10));
}

void WeightAveragesPanel::unitChosen()
{
    const std::optional<Unit> unit = unitOfItem(m_unit->currentIndex());
    const bool pounds = unit == Unit::Pounds;
    m_stones->setEnabled(pounds);
    // Stones belong to pounds; kilograms never show them.
    if (!pounds)
        m_stones->setChecked(false);
    // A height is in the unit's own length: without a unit it has none.
    m_height->setEnabled(unit.has_value());
    m_heightLabel->setText(heightCaption(unit));
}
