// Reads arbitrary bytes as an individual's weight file, saves what was read
// and reads it back: no stored weigh-in may be lost.
#include "LogFileRoundTrip.h"

#include "weight/WeightFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const FuzzFolder scratch;
    checkLogFileRoundTrip<WeightFile>(
        scratch, QStringLiteral("Ann.Fil"), FuzzFolder::bytes(data, size), 12, 2,
        [](const ProgramFolder& folder) { return WeightFile::LoadWeightFile(folder, "Ann"); },
        [](const WeightFile& file, const ProgramFolder& folder) {
            return file.SaveWeightFile(folder);
        });
    return 0;
}
