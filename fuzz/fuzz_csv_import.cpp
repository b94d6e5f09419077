// Imports arbitrary CSV into a copy of the tests' log folder. The first byte
// picks the target: a listed or a new individual of either tracker. A refused
// import must leave every file byte for byte as it was and create none; an
// accepted one must leave the target's file undamaged in the folder check's
// eyes.
#include "FuzzFolder.h"

#include "datatool/FolderChecker.h"
#include "datatool/LogImport.h"

#include <array>

namespace {

struct Target {
    FolderChecker::Tracker tracker;
    const char* name;
};

constexpr std::array<Target, 4> targets { {
    { FolderChecker::Tracker::Weight, "Ann" },
    { FolderChecker::Tracker::BloodPressure, "Cy" },
    { FolderChecker::Tracker::Weight, "Zed" },
    { FolderChecker::Tracker::BloodPressure, "Dee" },
} };

// The fixture's files, read once.
const QMap<QString, QByteArray>& fixture()
{
    static const QMap<QString, QByteArray> files = [] {
        QMap<QString, QByteArray> read;
        const QDir dir(QStringLiteral(HALVORN_FUZZ_FIXTURE));
        for (const QString& name : dir.entryList(QDir::Files)) {
            QFile file(dir.filePath(name));
            if (!file.open(QIODevice::ReadOnly))
                std::abort();
            read.insert(name, file.readAll());
        }
        if (read.isEmpty())
            std::abort();
        return read;
    }();
    return files;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const FuzzFolder scratch;
    if (size < 1)
        return 0;
    scratch.clear();
    for (auto file = fixture().cbegin(); file != fixture().cend(); ++file)
        scratch.write(file.key(), file.value());
    const Target& target = targets[data[0] % targets.size()];
    scratch.write(QStringLiteral("import.csv"), FuzzFolder::bytes(data, size).sliced(1));
    const QMap<QString, QByteArray> before = scratch.contents();

    const QString name = QLatin1String(target.name);
    LogImport::Request request;
    request.log = target.tracker == FolderChecker::Tracker::Weight ? LogImport::Log::Weight
                                                                   : LogImport::Log::BloodPressure;
    request.name = name;
    request.path = scratch.folder().filePath(QStringLiteral("import.csv"));
    request.format = LogSource::Format::ProgramCsv;
    const Outcome imported
        = LogImport::apply(scratch.folder(), LogImport::preview(scratch.folder(), request));

    if (!imported) {
        if (scratch.contents() != before)
            std::abort();
        return 0;
    }
    if (FolderChecker::hasDamage(
            FolderChecker::checkDataFile(scratch.folder(), target.tracker, name)))
        std::abort();
    return 0;
}
