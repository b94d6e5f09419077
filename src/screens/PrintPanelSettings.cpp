#include "screens/PrintPanelSettings.h"

#include "screens/ShellState.h"
#include "storage/GColor3File.h"
#include "storage/GColor4File.h"

PrintPanelSettings::PrintPanelSettings(
    const ProgramFolder& folder, PrintPanelProfile::Function function)
    : m_folder(folder)
    , m_function(function)
{ }

bool PrintPanelSettings::guideLinesOn() const
{
    const GColor3File settings(m_folder);
    switch (m_function) {
    case PrintPanelProfile::Function::WeightTracker:
        return settings.weightGuideLinesOn();
    case PrintPanelProfile::Function::BloodPressureTracker:
        return settings.bloodPressureGuideLinesOn();
    case PrintPanelProfile::Function::PasswordKeeper:
        return settings.passwordKeeperGuideLinesOn();
    }
    return false;
}

Outcome PrintPanelSettings::setGuideLines(bool shown) const
{
    const GColor3File settings(m_folder);
    switch (m_function) {
    case PrintPanelProfile::Function::WeightTracker:
        return settings.setWeightGuideLines(shown);
    case PrintPanelProfile::Function::BloodPressureTracker:
        return settings.setBloodPressureGuideLines(shown);
    case PrintPanelProfile::Function::PasswordKeeper:
        return settings.setPasswordKeeperGuideLines(shown);
    }
    return Outcome::success();
}

void PrintPanelSettings::readFont(ShellState& state) const
{
    TaggedValue size = TaggedValue::fromInt16(qint16(GColor4File::DefaultPrintFontSize));
    const GColor4File settings(m_folder);
    switch (m_function) {
    case PrintPanelProfile::Function::WeightTracker:
        state.PrintFontName = settings.weightPrintFontName(QString());
        size = settings.weightPrintFontSizeValue();
        break;
    case PrintPanelProfile::Function::BloodPressureTracker:
        state.PrintFontName = settings.bloodPressurePrintFontName(QString());
        size = settings.bloodPressurePrintFontSizeValue();
        break;
    case PrintPanelProfile::Function::PasswordKeeper:
        break;
    }
    state.PrintFontSize = size.number();
    state.PrintFontSizeSingle = size.type() == TaggedValue::Type::Float32;
}

Outcome PrintPanelSettings::storeFont(const ShellState& state) const
{
    // Stored with the kind it came with: a whole 16-bit size stays one, and
    // the font dialog's and Auto Size's single-precision sizes stay so even
    // when whole. Either kind reads back as the same size.
    const double size = state.PrintFontSize;
    const TaggedValue storedSize = state.PrintFontSizeSingle || size != qint16(size)
        ? TaggedValue::fromFloat32(float(size))
        : TaggedValue::fromInt16(qint16(size));
    const GColor4File settings(m_folder);
    switch (m_function) {
    case PrintPanelProfile::Function::WeightTracker:
        if (Outcome named = settings.setWeightPrintFontName(state.PrintFontName); !named)
            return named;
        return settings.setWeightPrintFontSize(storedSize);
    case PrintPanelProfile::Function::BloodPressureTracker:
        if (Outcome named = settings.setBloodPressurePrintFontName(state.PrintFontName); !named)
            return named;
        return settings.setBloodPressurePrintFontSize(storedSize);
    case PrintPanelProfile::Function::PasswordKeeper:
        break;
    }
    return Outcome::success();
}
