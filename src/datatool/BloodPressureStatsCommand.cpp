#include "BloodPressureStatsCommand.h"

#include "StatsNumber.h"

#include "bloodpressure/BloodPressureFile.h"
#include "bloodpressure/BloodPressureStatistics.h"
#include "bloodpressure/BloodPressureSummaryText.h"

#include <QJsonDocument>
#include <QJsonValue>

namespace {

using Statistics = BloodPressureStatistics;
using Text = BloodPressureSummaryText;

QJsonValue number(const std::optional<double>& value)
{
    return StatsNumber::of(value);
}

QJsonValue date(const QDate& value)
{
    return value.isValid() ? QJsonValue(Text::date(value)) : QJsonValue(QJsonValue::Null);
}

QJsonObject measure(const Statistics::Measure& measure)
{
    return { { QStringLiteral("min"), number(measure.minimum()) },
        { QStringLiteral("average"), number(measure.average()) },
        { QStringLiteral("max"), number(measure.maximum()) },
        { QStringLiteral("count"), measure.count() } };
}

QJsonObject averages(const Statistics::Figures& figures)
{
    return { { QStringLiteral("readings"), figures.readings },
        { QStringLiteral("systolic"), number(figures.systolic.average()) },
        { QStringLiteral("diastolic"), number(figures.diastolic.average()) },
        { QStringLiteral("pulse"), number(figures.pulse.average()) } };
}

// Wide enough for "Isolated systolic (also in its grade)".
constexpr int CategoryWidth = 40;

QString rounded(const std::optional<double>& value)
{
    return value ? QString::number(Statistics::rounded(*value)) : QStringLiteral("-");
}

QString period(const QString& caption, const Statistics::Figures& figures)
{
    return figures.readings ? Text::period(caption, figures)
                            : caption + QStringLiteral(": no readings");
}

} // namespace

BloodPressureStatsCommand::BloodPressureStatsCommand(DataToolOutput& output)
    : DataToolCommand(output)
{ }

int BloodPressureStatsCommand::run(const DataToolOptions& options)
{
    if (options.positional.size() != 3)
        return usageError(QStringLiteral("stats bp takes a NAME"));
    if (options.show)
        return usageError(QStringLiteral("--show belongs to export"));
    const QString format = options.formatGiven ? options.format : QStringLiteral("text");
    if (format != u"text" && format != u"json")
        return usageError(
            QStringLiteral("stats takes --format text or json, not \"%1\"").arg(format));
    const ProgramFolder folder(options.folder);
    std::optional<BloodPressureGuideline::Id> guideline = BloodPressureGuideline::stored(folder);
    if (options.guideline) {
        guideline = BloodPressureGuideline::fromKey(*options.guideline);
        if (!guideline)
            return usageError(QStringLiteral("unknown guideline \"%1\": own, acc-aha, esh or esc")
                                  .arg(*options.guideline));
    }

    int exitCode = Success;
    const std::optional<QString> listed
        = listedName(options, false, options.positional.at(2), exitCode);
    if (!listed)
        return exitCode;
    QString error;
    const std::optional<BloodPressureFile> file
        = BloodPressureFile::LoadBloodPressureFile(folder, *listed, &error);
    if (!file)
        return problem(error);
    QList<Reading> rows;
    for (int row = 1; row < file->storedRowCount(); ++row)
        rows.append(file->row(row));
    const Statistics statistics = Statistics::of(rows, BloodPressureGuideline::of(*guideline));
    if (format == u"json")
        print(m_out, QString::fromUtf8(QJsonDocument(json(file->name, statistics)).toJson()));
    else
        print(m_out, text(file->name, statistics) + u'\n');
    return Success;
}

QString BloodPressureStatsCommand::text(const QString& name, const Statistics& statistics)
{
    const BloodPressureGuideline& guideline = *statistics.guideline;
    QStringList lines { name.trimmed(), QStringLiteral("Guideline: ") + guideline.name() };
    lines << (statistics.all.readings
            ? QStringLiteral("Readings: %1, %2 to %3")
                  .arg(statistics.all.readings)
                  .arg(Text::date(statistics.first), Text::date(statistics.last))
            : QStringLiteral("Readings: 0"));
    lines << QStringLiteral("%1%2%3%4")
                 .arg(QString(), -12)
                 .arg(QStringLiteral("Minimum"), 9)
                 .arg(QStringLiteral("Average"), 9)
                 .arg(QStringLiteral("Maximum"), 9);
    const struct {
        const char* caption;
        const Statistics::Measure& measure;
    } measures[] { { "Systolic", statistics.all.systolic },
        { "Diastolic", statistics.all.diastolic }, { "Pulse", statistics.all.pulse } };
    for (const auto& row : measures)
        lines << QStringLiteral("%1%2%3%4")
                     .arg(QString::fromLatin1(row.caption), -12)
                     .arg(rounded(row.measure.minimum()), 9)
                     .arg(rounded(row.measure.average()), 9)
                     .arg(rounded(row.measure.maximum()), 9);
    lines << period(QStringLiteral("Morning"), statistics.morning)
          << period(QStringLiteral("Evening"), statistics.evening);
    const QStringList week = Text::homeWeek(statistics);
    lines << QStringLiteral("Home-monitoring week:");
    for (const QString& line : week.isEmpty() ? QStringList { Text::NotEnoughDays } : week)
        lines << QStringLiteral("  ") + line;
    lines << QStringLiteral("Categories (%1):").arg(guideline.name());
    for (int i = 0; i < int(guideline.categories().size()); ++i)
        lines << QStringLiteral("  %1%2")
                     .arg(guideline.category(i).name, -CategoryWidth)
                     .arg(statistics.categoryCounts.value(i), 5);
    if (guideline.marksIsolated()) {
        for (const auto& [name, count] : { std::pair { BloodPressureGuideline::IsolatedSystolicName,
                                               statistics.isolatedSystolic },
                 { BloodPressureGuideline::IsolatedDiastolicName, statistics.isolatedDiastolic } })
            lines << QStringLiteral("  %1%2")
                         .arg(name + QStringLiteral(" (also in its grade)"), -CategoryWidth)
                         .arg(count, 5);
    }
    return lines.join(QLatin1Char('\n'));
}

QJsonObject BloodPressureStatsCommand::json(const QString& name, const Statistics& statistics)
{
    const BloodPressureGuideline& guideline = *statistics.guideline;
    QJsonObject document;
    document.insert(QStringLiteral("name"), name.trimmed());
    document.insert(QStringLiteral("guideline"), BloodPressureGuideline::key(guideline.id()));
    document.insert(QStringLiteral("guideline_name"), guideline.name());
    document.insert(QStringLiteral("readings"), statistics.all.readings);
    document.insert(QStringLiteral("first"), date(statistics.first));
    document.insert(QStringLiteral("last"), date(statistics.last));
    document.insert(QStringLiteral("systolic"), measure(statistics.all.systolic));
    document.insert(QStringLiteral("diastolic"), measure(statistics.all.diastolic));
    document.insert(QStringLiteral("pulse"), measure(statistics.all.pulse));
    document.insert(QStringLiteral("morning"), averages(statistics.morning));
    document.insert(QStringLiteral("evening"), averages(statistics.evening));

    QJsonValue week(QJsonValue::Null);
    if (statistics.homeWeek && statistics.homeWeek->enoughDays()) {
        const Statistics::HomeWeek& home = *statistics.homeWeek;
        QJsonObject object = averages(home.figures);
        object.insert(QStringLiteral("from"), date(home.firstAveraged));
        object.insert(QStringLiteral("to"), date(home.to));
        object.insert(QStringLiteral("week_from"), date(home.from));
        object.insert(QStringLiteral("days"), home.days);
        object.insert(QStringLiteral("above_threshold"), home.aboveThreshold);
        // The averages compared, as the screen shows them beside the verdict.
        object.insert(QStringLiteral("averages_text"), Text::homeWeekAverages(statistics));
        object.insert(QStringLiteral("threshold"),
            QJsonObject { { QStringLiteral("systolic"), guideline.homeSystolicThreshold() },
                { QStringLiteral("diastolic"), guideline.homeDiastolicThreshold() } });
        week = object;
    }
    document.insert(QStringLiteral("home_week"), week);
    // Why the week is null: how many of its days 2 to 7 had readings.
    document.insert(
        QStringLiteral("home_week_days"), statistics.homeWeek ? statistics.homeWeek->days : 0);

    QJsonObject categories;
    for (int i = 0; i < int(guideline.categories().size()); ++i)
        categories.insert(guideline.category(i).name, statistics.categoryCounts.value(i));
    document.insert(QStringLiteral("categories"), categories);
    if (guideline.marksIsolated()) {
        document.insert(QStringLiteral("isolated_systolic"), statistics.isolatedSystolic);
        document.insert(QStringLiteral("isolated_diastolic"), statistics.isolatedDiastolic);
    }
    return document;
}
