// Writes arbitrary bytes as every settings file and reads every setting:
// each reader must give a value within its rules, and writing one record
// must change that record alone. The numbered-record files are cut to whole
// records: a record the file ends inside reads as empty until a later record
// is written and fills it out with zeros, which is a damaged file's business.
#include "FuzzFolder.h"

#include "storage/GColor14File.h"
#include "storage/GColor1File.h"
#include "storage/GColor3File.h"
#include "storage/GColor4File.h"
#include "storage/GZorq1File.h"
#include "storage/ZorqNameFile.h"

namespace {

// Every record the program reads, as text, in one list.
QStringList everySetting(const ProgramFolder& folder)
{
    const GColor1File colours(folder);
    const GColor3File display(folder);
    const GColor4File fonts(folder);
    QStringList values {
        colours.sharedPanelColour().toText(),
        colours.weightPanelColour().toText(),
        colours.bloodPressurePanelColour().toText(),
        colours.weightGridBackground().toText(),
        colours.bloodPressureGridBackground().toText(),
        QString::number(colours.weightDateCheckerOn()),
        QString::number(colours.bloodPressureDateCheckerOn()),
        display.displayModeText(),
        QString::number(display.appliedWindowHeight()),
        QString::number(display.appliedWindowWidth()),
        QString::number(display.passwordKeeperGuideLinesOn()),
        QString::number(display.weightGuideLinesOn()),
        QString::number(display.bloodPressureGuideLinesOn()),
        display.passwordKeeperPanelColour().toText(),
        fonts.weightPrintFontName(QStringLiteral("-")),
        fonts.bloodPressurePrintFontName(QStringLiteral("-")),
        QString::number(fonts.weightPrintFontSize()),
        QString::number(fonts.bloodPressurePrintFontSize()),
        QString::number(fonts.weightTrendDisplayOn()),
        GZorq1File(folder).screenBackground().toText(),
        ZorqNameFile(folder).familyName(),
        GColor14File(folder).lastPictureFolder(),
    };
    for (const double size : { fonts.weightPrintFontSize(), fonts.bloodPressurePrintFontSize() }) {
        if (!(size >= GColor4File::MinimumPrintFontSize
                && size <= GColor4File::MaximumPrintFontSize))
            std::abort();
    }
    if (display.appliedWindowHeight() < GColor3File::MinimumWindowHeight
        || display.appliedWindowWidth() < GColor3File::MinimumWindowWidth)
        std::abort();
    return values;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const FuzzFolder scratch;
    const QByteArrayView bytes = FuzzFolder::bytes(data, size);
    const QList<std::pair<const char*, int>> numbered { { "GColor1.Fil", 20 },
        { "GColor3.Fil", 20 }, { "GColor4.Fil", 40 }, { "GZORQ1.Fil", 10 },
        { "ZORQNAME.FIL", 40 } };
    for (const auto& [name, recordLength] : numbered)
        scratch.write(QLatin1String(name), bytes.first(bytes.size() - bytes.size() % recordLength));
    scratch.write(QStringLiteral("GColor14.Fil"), bytes);
    const ProgramFolder folder = scratch.folder();

    QStringList expected = everySetting(folder);
    if (!ZorqNameFile(folder).setFamilyName(QStringLiteral("Halvorsen")))
        std::abort();
    expected[20] = QStringLiteral("Halvorsen");
    if (!GColor4File(folder).setWeightTrendDisplay(false))
        std::abort();
    expected[18] = QString::number(false);
    if (!GColor3File(folder).setDisplayModeSmaller(true))
        std::abort();
    expected[7] = QStringLiteral("Yes");
    if (everySetting(folder) != expected)
        std::abort();
    return 0;
}
