#include "WeightStatsCommand.h"

#include "StatsNumber.h"
#include "storage/StoredDate.h"
#include "weight/WeightFile.h"
#include "weight/WeightStatistics.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QJsonValue dated(const std::optional<WeightTrend::Point>& point)
{
    if (!point)
        return QJsonValue(QJsonValue::Null);
    return QJsonObject { { QStringLiteral("date"), point->date.toString(Qt::ISODate) },
        { QStringLiteral("weight"), StatsNumber::of(point->weight) } };
}

QJsonArray periods(const QList<WeightAverages::Period>& list, const QString& labelKey)
{
    QJsonArray array;
    for (const WeightAverages::Period& period : list)
        array.append(QJsonObject { { labelKey, period.label },
            { QStringLiteral("weigh_ins"), period.weighIns },
            { QStringLiteral("average"), StatsNumber::of(period.average) },
            { QStringLiteral("change"), StatsNumber::of(period.change) } });
    return array;
}

// unit is what follows a weight: " lb", or nothing without a unit.
QString periodLines(const QList<WeightAverages::Period>& list, const QString& unit)
{
    QString lines;
    for (const WeightAverages::Period& period : list)
        lines += QStringLiteral("  %1  %2 %3  average %4%5%6\n")
                     .arg(period.label, -8)
                     .arg(period.weighIns, 3)
                     .arg(period.weighIns == 1 ? QStringLiteral("weigh-in ")
                                               : QStringLiteral("weigh-ins"))
                     .arg(WeightUnits::oneDecimal(period.average), unit)
                     .arg(period.change ? QStringLiteral("  change %1")
                                              .arg(WeightUnits::changeText(*period.change))
                                        : QString());
    return lines.isEmpty() ? QStringLiteral("  none\n") : lines;
}

} // namespace

int WeightStatsCommand::run(const DataToolOptions& options)
{
    if (options.kindAt(1) != Kind::Weight || options.positional.size() != 3)
        return usageError(QStringLiteral("stats weight takes a NAME"));
    const QString format = options.formatGiven ? options.format : QStringLiteral("text");
    if (format != u"text" && format != u"json")
        return usageError(QStringLiteral("unknown format \"%1\" (text or json)").arg(format));
    int exitCode = Success;
    const std::optional<QString> name
        = listedName(options, true, options.positional.at(2), exitCode);
    if (!name)
        return exitCode;
    const ProgramFolder folder(options.folder);
    QString error;
    const std::optional<WeightFile> file = WeightFile::LoadWeightFile(folder, *name, &error);
    if (!file)
        return problem(error);
    // Figures without a unit beat none: the settings' problem is said, and
    // the run counts as one with a problem.
    QString settingsProblem;
    const WeightPersonSettings::Values settings
        = WeightPersonSettings(folder).read(*name, &settingsProblem);

    const WeightStatistics statistics(file->rows, file->goalWeight, settings, QDate::currentDate());
    if (format == u"json")
        print(m_out, QString::fromUtf8(json(*name, statistics)));
    else
        print(m_out, text(*name, statistics));
    if (!settingsProblem.isEmpty())
        return problem(settingsProblem + QStringLiteral("; the figures are shown without a unit"));
    return Success;
}

QString WeightStatsCommand::text(const QString& name, const WeightStatistics& statistics)
{
    const WeightPersonSettings::Values& settings = statistics.settings();
    const QString unit = WeightPersonSettings::unitSuffix(settings.unit);
    const WeightTrend& trend = statistics.trend();
    QString out = QStringLiteral("Name: %1\nUnit: %2\nWeigh-ins: %3\n")
                      .arg(name,
                          settings.unit ? WeightPersonSettings::unitName(*settings.unit)
                                        : QStringLiteral("none chosen"),
                          QString::number(trend.points().size()));
    if (trend.isEmpty())
        return out;
    for (const auto& [caption, point] :
        { std::pair { QStringLiteral("First"), *trend.first() }, { "Last", *trend.last() } })
        out += QStringLiteral("%1: %2, %3\n")
                   .arg(caption, StoredDate::longText(point.date),
                       WeightUnits::weightText(point.weight, settings));
    out += statistics.trendText() + u'\n';
    out += statistics.rateText() + u'\n';
    if (const QString projection = statistics.projectionText(); !projection.isEmpty())
        out += projection + u'\n';
    if (const QString bmi = statistics.bodyMassIndexText(); !bmi.isEmpty())
        out += bmi + u'\n';
    out += QStringLiteral("\nWeekly averages:\n") + periodLines(statistics.weekly(), unit);
    out += QStringLiteral("\nMonthly averages:\n") + periodLines(statistics.monthly(), unit);
    return out;
}

QByteArray WeightStatsCommand::json(const QString& name, const WeightStatistics& statistics)
{
    const WeightTrend& trend = statistics.trend();
    const WeightGoalProjection& projection = statistics.projection();
    const std::optional<WeightUnits::BodyMassIndex> bmi = statistics.bodyMassIndex();
    QJsonObject document {
        { QStringLiteral("name"), name },
        { QStringLiteral("unit"),
            statistics.settings().unit
                ? QJsonValue(WeightPersonSettings::unitName(*statistics.settings().unit))
                : QJsonValue(QJsonValue::Null) },
        { QStringLiteral("weigh_ins"), trend.points().size() },
        { QStringLiteral("first"), dated(trend.first()) },
        { QStringLiteral("last"), dated(trend.last()) },
        { QStringLiteral("trend"), StatsNumber::of(statistics.lastTrend()) },
        { QStringLiteral("weekly_rate"), StatsNumber::of(trend.weeklyRate()) },
        { QStringLiteral("projected_goal_date"),
            projection.expected() ? QJsonValue(projection.date().toString(Qt::ISODate))
                                  : QJsonValue(QJsonValue::Null) },
        { QStringLiteral("goal_state"), projection.stateName() },
        { QStringLiteral("weekly"), periods(statistics.weekly(), QStringLiteral("week")) },
        { QStringLiteral("monthly"), periods(statistics.monthly(), QStringLiteral("month")) },
        { QStringLiteral("bmi"), bmi ? StatsNumber::of(bmi->value) : QJsonValue(QJsonValue::Null) },
        { QStringLiteral("bmi_band"),
            bmi ? QJsonValue(WeightUnits::bandRange(bmi->band)) : QJsonValue(QJsonValue::Null) },
    };
    return QJsonDocument(document).toJson(QJsonDocument::Indented);
}
