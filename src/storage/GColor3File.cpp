#include "GColor3File.h"

#include <algorithm>
#include <limits>

namespace {

enum Record {
    PasswordKeeperGuideLines = 26,
    DisplayMode = 35,
    WindowHeight = 36,
    WindowWidth = 37,
    WeightGuideLines = 80,
    BloodPressureGuideLines = 85,
    PasswordKeeperPanelColour = 104,
};

const QString FileName = QStringLiteral("GColor3.Fil");

} // namespace

GColor3File::GColor3File(const ProgramFolder& folder)
    : m_records(folder, FileName, RecordLength)
{ }

Outcome GColor3File::writeInt16(int record, int value) const
{
    // A wider screen than 16 bits of twips can hold must not wrap around
    // into a negative size.
    if (value < std::numeric_limits<qint16>::min() || value > std::numeric_limits<qint16>::max())
        return m_records.refused(
            QStringLiteral("%1 twips does not fit in a 16-bit record").arg(value));
    return m_records.setInt16(record, static_cast<qint16>(value));
}

bool GColor3File::displayModeSmaller() const
{
    return displayModeText().left(3) == QLatin1String("Yes");
}

QString GColor3File::displayModeText() const
{
    return m_records.text(DisplayMode);
}

Outcome GColor3File::setDisplayModeSmaller(bool smaller) const
{
    return m_records.setText(DisplayMode, smaller ? QStringLiteral("Yes") : QStringLiteral("No"));
}

qint16 GColor3File::windowHeight() const
{
    return m_records.int16(WindowHeight);
}

qint16 GColor3File::windowWidth() const
{
    return m_records.int16(WindowWidth);
}

int GColor3File::appliedWindowHeight() const
{
    return std::max<int>(windowHeight(), MinimumWindowHeight);
}

int GColor3File::appliedWindowWidth() const
{
    return std::max<int>(windowWidth(), MinimumWindowWidth);
}

Outcome GColor3File::setWindowHeight(int twips) const
{
    return writeInt16(WindowHeight, twips);
}

Outcome GColor3File::setWindowWidth(int twips) const
{
    return writeInt16(WindowWidth, twips);
}

bool GColor3File::guideLinesOn(int record) const
{
    bool ok = false;
    const int option = m_records.text(record).trimmed().toInt(&ok, 10);
    return ok && option == 1;
}

bool GColor3File::passwordKeeperGuideLinesOn() const
{
    return guideLinesOn(PasswordKeeperGuideLines);
}

Outcome GColor3File::setPasswordKeeperGuideLines(bool on) const
{
    return m_records.setText(
        PasswordKeeperGuideLines, on ? QStringLiteral("1") : QStringLiteral("0"));
}

bool GColor3File::weightGuideLinesOn() const
{
    return guideLinesOn(WeightGuideLines);
}

Outcome GColor3File::setWeightGuideLines(bool on) const
{
    return m_records.setText(WeightGuideLines, on ? QStringLiteral("1") : QStringLiteral("0"));
}

bool GColor3File::bloodPressureGuideLinesOn() const
{
    return guideLinesOn(BloodPressureGuideLines);
}

Outcome GColor3File::setBloodPressureGuideLines(bool on) const
{
    return m_records.setText(
        BloodPressureGuideLines, on ? QStringLiteral("1") : QStringLiteral("0"));
}

StoredColour GColor3File::passwordKeeperPanelColour() const
{
    return StoredColour::parse(m_records.text(PasswordKeeperPanelColour));
}

Outcome GColor3File::setPasswordKeeperPanelColour(const StoredColour& colour) const
{
    return m_records.setText(PasswordKeeperPanelColour, colour.toText());
}
