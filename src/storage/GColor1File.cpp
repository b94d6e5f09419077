#include "GColor1File.h"

namespace {

enum Record {
    SharedPanelColour = 49,
    WeightPanelColour = 80,
    WeightGridBackground = 82,
    WeightDateChecker = 83,
    BloodPressureDateChecker = 84,
    BloodPressurePanelColour = 85,
    BloodPressureGridBackground = 87,
};

const QString FileName = QStringLiteral("GColor1.Fil");
const QString CheckerOff = QStringLiteral("OFF");

} // namespace

GColor1File::GColor1File(const ProgramFolder& folder)
    : m_records(folder, FileName, RecordLength)
{ }

StoredColour GColor1File::sharedPanelColour() const
{
    const QString text = m_records.text(SharedPanelColour);
    return text.isEmpty() ? StoredColour::systemDefault() : StoredColour::parse(text);
}

Outcome GColor1File::setSharedPanelColour(const StoredColour& colour) const
{
    return m_records.setText(SharedPanelColour, colour.toText());
}

StoredColour GColor1File::weightPanelColour() const
{
    return StoredColour::parse(m_records.text(WeightPanelColour));
}

Outcome GColor1File::setWeightPanelColour(const StoredColour& colour) const
{
    return m_records.setText(WeightPanelColour, colour.toText());
}

StoredColour GColor1File::bloodPressurePanelColour() const
{
    return StoredColour::parse(m_records.text(BloodPressurePanelColour));
}

Outcome GColor1File::setBloodPressurePanelColour(const StoredColour& colour) const
{
    return m_records.setText(BloodPressurePanelColour, colour.toText());
}

BackgroundSetting GColor1File::weightGridBackground() const
{
    return BackgroundSetting::parse(m_records.text(WeightGridBackground));
}

Outcome GColor1File::setWeightGridBackground(const BackgroundSetting& background) const
{
    return m_records.setText(WeightGridBackground, background.toText());
}

BackgroundSetting GColor1File::bloodPressureGridBackground() const
{
    return BackgroundSetting::parse(m_records.text(BloodPressureGridBackground));
}

Outcome GColor1File::setBloodPressureGridBackground(const BackgroundSetting& background) const
{
    return m_records.setText(BloodPressureGridBackground, background.toText());
}

bool GColor1File::weightDateCheckerOn() const
{
    return m_records.text(WeightDateChecker).trimmed() != CheckerOff;
}

Outcome GColor1File::setWeightDateChecker(bool on) const
{
    return m_records.setText(WeightDateChecker, on ? QString() : CheckerOff);
}

bool GColor1File::bloodPressureDateCheckerOn() const
{
    return m_records.text(BloodPressureDateChecker).trimmed() != CheckerOff;
}

Outcome GColor1File::setBloodPressureDateChecker(bool on) const
{
    return m_records.setText(BloodPressureDateChecker, on ? QString() : CheckerOff);
}
