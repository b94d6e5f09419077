#include "bloodpressure/BloodPressureGuideline.h"

#include "bloodpressure/BloodPressureCategory.h"
#include "storage/GraphData.h"
#include "storage/ProgramSettings.h"

#include <algorithm>
#include <utility>

namespace {

using Guideline = BloodPressureGuideline;
using Category = Guideline::Category;
using Bound = Guideline::Bound;
using Id = Guideline::Id;

// A chart cell's second line follows a carriage return.
const QString LineBreak = QStringLiteral("\r");

constexpr qint32 Black = GraphSeries::colour(0, 0, 0);
constexpr qint32 Green = GraphSeries::colour(0, 128, 0);
constexpr qint32 Orange = GraphSeries::colour(255, 128, 0);
constexpr qint32 Red = GraphSeries::colour(255, 0, 0);
constexpr qint32 DarkRed = GraphSeries::colour(192, 0, 0);
constexpr qint32 Maroon = GraphSeries::colour(128, 0, 0);

Bound from(double value)
{
    return Bound { value, false };
}

Bound above(double value)
{
    return Bound { value, true };
}

// The table the program has always shown: its texts, colours and marks must
// not change, since the chart and the reports of every user who never
// chooses a guideline show them.
QList<Category> ownTable()
{
    using Level = BloodPressureCategory::Level;
    const auto look = [](Level level, Category category) {
        const BloodPressureCategory own(level);
        category.colour = own.colour();
        category.mark = own.mark();
        category.underlined = own.underlined();
        return category;
    };
    return {
        look(Level::Normal,
            { QStringLiteral("Normal"), QStringLiteral("Normal"), 0, {}, false, std::nullopt,
                std::nullopt, QStringLiteral("Normal"), QStringLiteral("Less than 120"),
                QStringLiteral("and"), QStringLiteral("Less than 80") }),
        look(Level::Prehypertension,
            { QStringLiteral("Prehypertension"), QStringLiteral("Prehypertension"), 0, {}, false,
                from(120), from(80), QStringLiteral("Prehypertension"), QStringLiteral("120 - 139"),
                QStringLiteral("or"), QStringLiteral("80 - 89") }),
        look(Level::Stage1,
            { QStringLiteral("High Blood Pressure Stage 1"), QStringLiteral("High (Stage 1)*"), 0,
                {}, false, from(140), from(90),
                "High Blood Pressure" + LineBreak + "(Hypertenson) Stage 1",
                QStringLiteral("140 - 159"), QStringLiteral("or"), QStringLiteral("90 - 99") }),
        look(Level::Stage2,
            { QStringLiteral("High Blood Pressure Stage 2"), QStringLiteral("High (Stage 2)**"), 0,
                {}, false, from(160), from(100),
                "High Blood Pressure" + LineBreak + "(Hypertenson) Stage 2",
                QStringLiteral("160 or higher"), QStringLiteral("or"),
                QStringLiteral("100 or higher") }),
        look(Level::Crisis,
            { QStringLiteral("Hypertensive Crisis"), QStringLiteral("Hypertensive Crisis"), 0, {},
                false, from(180), from(110),
                "HYPERTENSIVE CRISIS" + LineBreak + "(Emergency Care Needed)",
                QStringLiteral("Higher than 180"), QStringLiteral("or"),
                QStringLiteral("Higher than 110") }),
    };
}

// The colours follow the own table's order of severity: black for what is
// fine, orange for what needs watching, reds growing darker, the most
// severe underlined.
QList<Category> accAhaTable()
{
    return {
        { QStringLiteral("Normal"), QStringLiteral("Normal"), Black, {}, false, std::nullopt,
            std::nullopt, QStringLiteral("Normal"), QStringLiteral("Less than 120"),
            QStringLiteral("and"), QStringLiteral("Less than 80") },
        { QStringLiteral("Elevated"), QStringLiteral("Elevated"), Orange, {}, false, from(120),
            std::nullopt, QStringLiteral("Elevated"), QStringLiteral("120 - 129"),
            QStringLiteral("and"), QStringLiteral("Less than 80") },
        { QStringLiteral("Stage 1"), QStringLiteral("Stage 1*"), Red, QStringLiteral("*"), false,
            from(130), from(80), "Hypertension" + LineBreak + "Stage 1",
            QStringLiteral("130 - 139"), QStringLiteral("or"), QStringLiteral("80 - 89") },
        { QStringLiteral("Stage 2"), QStringLiteral("Stage 2**"), DarkRed, QStringLiteral("**"),
            false, from(140), from(90), "Hypertension" + LineBreak + "Stage 2",
            QStringLiteral("140 or higher"), QStringLiteral("or"), QStringLiteral("90 or higher") },
        { QStringLiteral("Hypertensive crisis"), QStringLiteral("Hypertensive crisis"), Maroon, {},
            true, above(180), above(120),
            "HYPERTENSIVE CRISIS" + LineBreak + "(Consult your doctor)",
            QStringLiteral("Higher than 180"), QStringLiteral("or"),
            QStringLiteral("Higher than 120") },
    };
}

QList<Category> eshTable()
{
    const QString andOr = QStringLiteral("and/or");
    return {
        { QStringLiteral("Optimal"), QStringLiteral("Optimal"), Green, {}, false, std::nullopt,
            std::nullopt, QStringLiteral("Optimal"), QStringLiteral("Less than 120"),
            QStringLiteral("and"), QStringLiteral("Less than 80") },
        { QStringLiteral("Normal"), QStringLiteral("Normal"), Black, {}, false, from(120), from(80),
            QStringLiteral("Normal"), QStringLiteral("120 - 129"), andOr,
            QStringLiteral("80 - 84") },
        { QStringLiteral("High normal"), QStringLiteral("High normal"), Orange, {}, false,
            from(130), from(85), QStringLiteral("High normal"), QStringLiteral("130 - 139"), andOr,
            QStringLiteral("85 - 89") },
        { QStringLiteral("Grade 1"), QStringLiteral("Grade 1*"), Red, QStringLiteral("*"), false,
            from(140), from(90), "Hypertension" + LineBreak + "Grade 1",
            QStringLiteral("140 - 159"), andOr, QStringLiteral("90 - 99") },
        { QStringLiteral("Grade 2"), QStringLiteral("Grade 2**"), DarkRed, QStringLiteral("**"),
            false, from(160), from(100), "Hypertension" + LineBreak + "Grade 2",
            QStringLiteral("160 - 179"), andOr, QStringLiteral("100 - 109") },
        { QStringLiteral("Grade 3"), QStringLiteral("Grade 3"), Maroon, {}, true, from(180),
            from(110), "Hypertension" + LineBreak + "Grade 3", QStringLiteral("180 or higher"),
            andOr, QStringLiteral("110 or higher") },
    };
}

QList<Category> escTable()
{
    return {
        { QStringLiteral("Non-elevated"), QStringLiteral("Non-elevated"), Black, {}, false,
            std::nullopt, std::nullopt, QStringLiteral("Non-elevated"),
            QStringLiteral("Less than 120"), QStringLiteral("and"),
            QStringLiteral("Less than 70") },
        { QStringLiteral("Elevated"), QStringLiteral("Elevated"), Orange, {}, false, from(120),
            from(70), QStringLiteral("Elevated"), QStringLiteral("120 - 139"), QStringLiteral("or"),
            QStringLiteral("70 - 89") },
        { QStringLiteral("Hypertension"), QStringLiteral("Hypertension*"), Red, QStringLiteral("*"),
            false, from(140), from(90), QStringLiteral("Hypertension"),
            QStringLiteral("140 or higher"), QStringLiteral("or"), QStringLiteral("90 or higher") },
    };
}

int classify(
    const QList<Category>& categories, double value, const std::optional<Bound> Category::*bound)
{
    for (qsizetype i = categories.size() - 1; i > 0; --i) {
        const std::optional<Bound>& start = categories.at(i).*bound;
        if (start && start->reachedBy(value))
            return int(i);
    }
    return 0;
}

} // namespace

BloodPressureGuideline::BloodPressureGuideline(Id id, QString name, QString menuCaption,
    QList<Category> categories, int homeSystolic, int homeDiastolic)
    : m_id(id)
    , m_name(std::move(name))
    , m_menuCaption(std::move(menuCaption))
    , m_categories(std::move(categories))
    , m_homeSystolic(homeSystolic)
    , m_homeDiastolic(homeDiastolic)
{ }

const BloodPressureGuideline& BloodPressureGuideline::of(Id id)
{
    static const Guideline own(Id::Own, QStringLiteral("Program's own table"),
        QStringLiteral("&Program's own table"), ownTable(), 135, 85);
    static const Guideline accAha(Id::AccAha, QStringLiteral("ACC/AHA 2017"),
        QStringLiteral("&ACC/AHA 2017"), accAhaTable(), 130, 80);
    static const Guideline esh = [] {
        Guideline guideline(
            Id::Esh, QStringLiteral("ESH 2023"), QStringLiteral("&ESH 2023"), eshTable(), 135, 85);
        guideline.m_hypertensionFrom = std::pair(140.0, 90.0);
        return guideline;
    }();
    static const Guideline esc(
        Id::Esc, QStringLiteral("ESC 2024"), QStringLiteral("E&SC 2024"), escTable(), 135, 85);
    switch (id) {
    case Id::AccAha:
        return accAha;
    case Id::Esh:
        return esh;
    case Id::Esc:
        return esc;
    case Id::Own:
        break;
    }
    return own;
}

const QList<BloodPressureGuideline::Id>& BloodPressureGuideline::all()
{
    static const QList<Id> ids { Id::Own, Id::AccAha, Id::Esh, Id::Esc };
    return ids;
}

QString BloodPressureGuideline::key(Id id)
{
    switch (id) {
    case Id::AccAha:
        return QStringLiteral("acc-aha");
    case Id::Esh:
        return QStringLiteral("esh");
    case Id::Esc:
        return QStringLiteral("esc");
    case Id::Own:
        break;
    }
    return QStringLiteral("own");
}

std::optional<BloodPressureGuideline::Id> BloodPressureGuideline::fromKey(const QString& key)
{
    for (const Id id : all()) {
        if (key.trimmed().compare(BloodPressureGuideline::key(id), Qt::CaseInsensitive) == 0)
            return id;
    }
    return std::nullopt;
}

int BloodPressureGuideline::ofSystolic(double value) const
{
    return classify(m_categories, value, &Category::systolicFrom);
}

int BloodPressureGuideline::ofDiastolic(double value) const
{
    return classify(m_categories, value, &Category::diastolicFrom);
}

std::optional<int> BloodPressureGuideline::ofReading(
    std::optional<double> systolic, std::optional<double> diastolic) const
{
    if (!systolic && !diastolic)
        return std::nullopt;
    return std::max(systolic ? ofSystolic(*systolic) : 0, diastolic ? ofDiastolic(*diastolic) : 0);
}

bool BloodPressureGuideline::isIsolatedSystolic(double systolic, double diastolic) const
{
    return m_hypertensionFrom && systolic >= m_hypertensionFrom->first
        && diastolic < m_hypertensionFrom->second;
}

bool BloodPressureGuideline::isIsolatedDiastolic(double systolic, double diastolic) const
{
    return m_hypertensionFrom && systolic < m_hypertensionFrom->first
        && diastolic >= m_hypertensionFrom->second;
}

BloodPressureGuideline::Id BloodPressureGuideline::stored(const ProgramFolder& folder)
{
    return fromKey(ProgramSettings(folder).bloodPressureGuideline()).value_or(Id::Own);
}

Outcome BloodPressureGuideline::store(const ProgramFolder& folder, Id id)
{
    return ProgramSettings(folder).setBloodPressureGuideline(key(id));
}
