#include "GColor1File.h"

#include "RecordFile.h"

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
    : m_folder(folder)
{ }

QString GColor1File::readText(int record) const
{
    RecordFile file(m_folder.filePath(FileName), RecordLength);
    QString text;
    file.readText(record, text);
    return text;
}

bool GColor1File::writeText(int record, const QString& text) const
{
    RecordFile file(m_folder.filePath(FileName), RecordLength);
    return file.writeText(record, text);
}

StoredColour GColor1File::sharedPanelColour() const
{
    const QString text = readText(SharedPanelColour);
    return text.isEmpty() ? StoredColour::systemDefault() : StoredColour::parse(text);
}

bool GColor1File::setSharedPanelColour(const StoredColour& colour) const
{
    return writeText(SharedPanelColour, colour.toText());
}

StoredColour GColor1File::weightPanelColour() const
{
    return StoredColour::parse(readText(WeightPanelColour));
}

bool GColor1File::setWeightPanelColour(const StoredColour& colour) const
{
    return writeText(WeightPanelColour, colour.toText());
}

StoredColour GColor1File::bloodPressurePanelColour() const
{
    return StoredColour::parse(readText(BloodPressurePanelColour));
}

bool GColor1File::setBloodPressurePanelColour(const StoredColour& colour) const
{
    return writeText(BloodPressurePanelColour, colour.toText());
}

BackgroundSetting GColor1File::weightGridBackground() const
{
    return BackgroundSetting::parse(readText(WeightGridBackground));
}

bool GColor1File::setWeightGridBackground(const BackgroundSetting& background) const
{
    return writeText(WeightGridBackground, background.toText());
}

BackgroundSetting GColor1File::bloodPressureGridBackground() const
{
    return BackgroundSetting::parse(readText(BloodPressureGridBackground));
}

bool GColor1File::setBloodPressureGridBackground(const BackgroundSetting& background) const
{
    return writeText(BloodPressureGridBackground, background.toText());
}

bool GColor1File::weightDateCheckerOn() const
{
    return readText(WeightDateChecker).trimmed() != CheckerOff;
}

bool GColor1File::setWeightDateChecker(bool on) const
{
    return writeText(WeightDateChecker, on ? QString() : CheckerOff);
}

bool GColor1File::bloodPressureDateCheckerOn() const
{
    return readText(BloodPressureDateChecker).trimmed() != CheckerOff;
}

bool GColor1File::setBloodPressureDateChecker(bool on) const
{
    return writeText(BloodPressureDateChecker, on ? QString() : CheckerOff);
}
