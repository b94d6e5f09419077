// Reads arbitrary bytes as an individual's blood-pressure file, saves what was
// read and reads it back: no stored reading may be lost.
#include "LogFileRoundTrip.h"

#include "bloodpressure/BloodPressureFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const FuzzFolder scratch;
    checkLogFileRoundTrip<BloodPressureFile>(
        scratch, QStringLiteral("Ann.Fpl"), FuzzFolder::bytes(data, size), 1, 5,
        [](const ProgramFolder& folder) {
            return BloodPressureFile::LoadBloodPressureFile(folder, "Ann");
        },
        [](const BloodPressureFile& file, const ProgramFolder& folder) {
            return file.SaveBloodPressureFile(folder);
        });
    return 0;
}
