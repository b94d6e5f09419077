#include "bloodpressure/BloodPressureCategory.h"

#include "bloodpressure/BloodPressureGuideline.h"
#include "storage/GraphData.h"

// The program's own table holds the bounds, so that the screen, the report
// and the export classify alike whichever way they ask.
BloodPressureCategory BloodPressureCategory::ofSystolic(double value)
{
    return BloodPressureCategory(
        Level(BloodPressureGuideline::of(BloodPressureGuideline::Id::Own).ofSystolic(value)));
}

BloodPressureCategory BloodPressureCategory::ofDiastolic(double value)
{
    return BloodPressureCategory(
        Level(BloodPressureGuideline::of(BloodPressureGuideline::Id::Own).ofDiastolic(value)));
}

qint32 BloodPressureCategory::colour() const
{
    switch (m_level) {
    case Normal:
        return GraphSeries::colour(0, 0, 0);
    case Prehypertension:
        return GraphSeries::colour(255, 128, 0);
    case Stage1:
        return GraphSeries::colour(255, 0, 0);
    case Stage2:
        return GraphSeries::colour(192, 0, 0);
    case Crisis:
        return GraphSeries::colour(128, 0, 0);
    }
    return 0;
}

QString BloodPressureCategory::mark() const
{
    switch (m_level) {
    case Stage1:
        return QStringLiteral("*");
    case Stage2:
        return QStringLiteral("**");
    default:
        return {};
    }
}
