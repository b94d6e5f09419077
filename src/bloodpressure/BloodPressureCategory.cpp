#include "bloodpressure/BloodPressureCategory.h"

#include "storage/GraphData.h"

namespace {

BloodPressureCategory classify(
    double value, double prehypertension, double stage1, double stage2, double crisis)
{
    using Category = BloodPressureCategory;
    if (value >= crisis)
        return Category(Category::Crisis);
    if (value >= stage2)
        return Category(Category::Stage2);
    if (value >= stage1)
        return Category(Category::Stage1);
    if (value >= prehypertension)
        return Category(Category::Prehypertension);
    return Category(Category::Normal);
}

} // namespace

BloodPressureCategory BloodPressureCategory::ofSystolic(double value)
{
    return classify(value, 120, 140, 160, 180);
}

BloodPressureCategory BloodPressureCategory::ofDiastolic(double value)
{
    return classify(value, 80, 90, 100, 110);
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
