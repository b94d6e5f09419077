#include "BloodPressureExport.h"

#include "CsvWriter.h"
#include "storage/NumberText.h"

#include <QJsonArray>

#include <utility>

BloodPressureExport::BloodPressureExport(
    BloodPressureFile file, BloodPressureGuideline::Id guideline)
    : m_file(std::move(file))
    , m_guideline(BloodPressureGuideline::of(guideline))
    , m_averages(BloodPressureAverages::RecomputeAverages(m_file.rows))
{ }

QStringList BloodPressureExport::csvColumns()
{
    return { QStringLiteral("row"), QStringLiteral("date"), QStringLiteral("time"),
        QStringLiteral("systolic"), QStringLiteral("diastolic"), QStringLiteral("pulse"),
        QStringLiteral("systolic_category"), QStringLiteral("diastolic_category") };
}

QString BloodPressureExport::categoryName(
    const QString& valueText, bool systolic, const BloodPressureGuideline& guideline)
{
    const std::optional<double> value = NumberText::toNumber(valueText);
    if (!value)
        return {};
    return guideline
        .category(systolic ? guideline.ofSystolic(*value) : guideline.ofDiastolic(*value))
        .name;
}

QStringList BloodPressureExport::csvFields(int index) const
{
    const Reading& reading = m_file.rows.at(index);
    return { QString::number(index + 1), reading.date, reading.time, reading.systolic,
        reading.diastolic, reading.pulse, categoryName(reading.systolic, true, m_guideline),
        categoryName(reading.diastolic, false, m_guideline) };
}

QByteArray BloodPressureExport::csv() const
{
    return CsvWriter::table(csvColumns(), m_file.rows, [this](int i) { return csvFields(i); });
}

QJsonObject BloodPressureExport::json() const
{
    QJsonArray rows;
    const QStringList columns = csvColumns();
    for (int i = 0; i < m_file.rows.size(); ++i) {
        const QStringList fields = csvFields(i);
        QJsonObject row;
        row.insert(columns.at(0), i + 1);
        for (int c = 1; c < columns.size(); ++c)
            row.insert(columns.at(c), fields.at(c));
        rows.append(row);
    }

    // The smaller-screen labels: the digits alone, without the blank that
    // full-screen display puts before two of them.
    const std::array<QString, 4> labels = m_averages.labelTexts(false);
    QJsonObject averages;
    averages.insert(QStringLiteral("caption"), labels[0]);
    averages.insert(QStringLiteral("systolic"), labels[1]);
    averages.insert(QStringLiteral("diastolic"), labels[2]);
    averages.insert(QStringLiteral("pulse"), labels[3]);

    QJsonObject document;
    document.insert(QStringLiteral("kind"), QStringLiteral("blood_pressure"));
    document.insert(QStringLiteral("name"), m_file.name);
    document.insert(QStringLiteral("guideline"), BloodPressureGuideline::key(m_guideline.id()));
    document.insert(QStringLiteral("row_count"), m_file.storedRowCount());
    document.insert(QStringLiteral("rows"), rows);
    document.insert(QStringLiteral("averages"), averages);
    return document;
}
