#include "WeightExport.h"

#include "CsvWriter.h"
#include "storage/NumberText.h"

#include <QJsonArray>
#include <QLocale>

#include <cmath>

#include <utility>

namespace {

QString boolText(bool value)
{
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

QJsonValue optionalText(const std::optional<QString>& text)
{
    return text ? QJsonValue(*text) : QJsonValue(QJsonValue::Null);
}

// A derived figure to the tenth the screen shows, in plain digits a
// spreadsheet reads: -0.3 for a computed -0.2999954, 0 for -3.05e-06, and
// 16.5 or -1 as they were. Text that is no number ("N/A", empty) stays.
QString shownFigure(const QString& derived)
{
    const std::optional<double> value = NumberText::toNumber(derived);
    if (!value)
        return derived;
    const double tenths = std::round(*value * 10) / 10;
    return QString::number(tenths == 0 ? 0.0 : tenths, 'g', QLocale::FloatingPointShortest);
}

} // namespace

WeightExport::WeightExport(WeightFile file, QString unit)
    : m_file(std::move(file))
    , m_unit(std::move(unit))
{
    ProgressStatistics::RecomputeDerivedColumns(m_file.rows, m_file.beginningWeight, m_derived);
    m_trend = ProgressStatistics::UpdateTrendAndGoal(m_file.rows, m_derived, m_file.goalWeight);
}

QStringList WeightExport::csvColumns()
{
    return { QStringLiteral("row"), QStringLiteral("date"), QStringLiteral("weight"),
        QStringLiteral("weight_display"), QStringLiteral("change"),
        QStringLiteral("change_display"), QStringLiteral("change_bold"),
        QStringLiteral("difference"), QStringLiteral("difference_display"),
        QStringLiteral("difference_bold") };
}

QStringList WeightExport::csvFields(int index) const
{
    const WeighIn& row = m_file.rows.at(index);
    const ProgressStatistics::DerivedRow& derived = m_derived.at(index);
    return { QString::number(index + 1), row.date, row.weight,
        ProgressStatistics::displayText(row.weight), shownFigure(derived.change.text),
        ProgressStatistics::displayText(derived.change.text), boolText(derived.change.bold),
        shownFigure(derived.difference.text),
        ProgressStatistics::displayText(derived.difference.text),
        boolText(derived.difference.bold) };
}

QByteArray WeightExport::csv() const
{
    QStringList columns = csvColumns();
    if (!m_unit.isEmpty())
        columns[columns.indexOf(QStringLiteral("weight"))]
            = QStringLiteral("weight (%1)").arg(m_unit);
    return CsvWriter::table(columns, m_file.rows, [this](int i) { return csvFields(i); });
}

QJsonObject WeightExport::json() const
{
    QJsonArray rows;
    const QStringList columns = csvColumns();
    for (int i = 0; i < m_file.rows.size(); ++i) {
        const QStringList fields = csvFields(i);
        QJsonObject row;
        row.insert(columns.at(0), i + 1);
        for (int c = 1; c < columns.size(); ++c) {
            if (columns.at(c).endsWith(QLatin1String("_bold")))
                row.insert(columns.at(c), fields.at(c) == QLatin1String("true"));
            else
                row.insert(columns.at(c), fields.at(c));
        }
        rows.append(row);
    }

    QJsonObject document;
    document.insert(QStringLiteral("kind"), QStringLiteral("weight"));
    document.insert(QStringLiteral("name"), m_file.name);
    document.insert(QStringLiteral("beginning_date"), m_file.beginningDate);
    document.insert(QStringLiteral("beginning_weight"), m_file.beginningWeight);
    document.insert(QStringLiteral("goal_weight"), m_file.goalWeight);
    document.insert(QStringLiteral("exercise_days_per_week"), m_file.exerciseDaysPerWeek);
    document.insert(QStringLiteral("exercise_time_per_period"), m_file.exerciseTimePerPeriod);
    document.insert(QStringLiteral("exercise_types"), m_file.exerciseTypes);
    document.insert(QStringLiteral("comments"), m_file.comments);
    document.insert(QStringLiteral("beginning_picture_date"), m_file.beginningPictureDate);
    document.insert(QStringLiteral("beginning_picture"), optionalText(m_file.beginningPicture));
    document.insert(QStringLiteral("current_picture_date"), m_file.currentPictureDate);
    document.insert(QStringLiteral("current_picture"), optionalText(m_file.currentPicture));
    document.insert(QStringLiteral("row_count"), m_file.storedRowCount());
    document.insert(QStringLiteral("rows"), rows);
    document.insert(QStringLiteral("last_entry_trend_icon"), m_trend.lastEntryIcon);
    document.insert(QStringLiteral("beginning_weight_trend_icon"), m_trend.beginningIcon);
    document.insert(QStringLiteral("goal_reached"), m_trend.goalMessageShown());
    if (!m_unit.isEmpty())
        document.insert(QStringLiteral("unit"), m_unit);
    return document;
}
