// Reads arbitrary bytes as a dated backup's manifest (halvorn-manifest.json):
// what it accepts names only files inside the backup, and comes back the same
// when written and read again.
#include "FuzzFolder.h"

#include "backup/BackupManifest.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QString reason;
    const std::optional<BackupManifest> manifest
        = BackupManifest::fromJson(FuzzFolder::bytes(data, size).toByteArray(), &reason);
    if (!manifest) {
        if (reason.isEmpty())
            std::abort();
        return 0;
    }
    for (const BackupManifest::File& file : manifest->files) {
        if (file.name.isEmpty() || file.name.contains(u'/') || file.name.contains(u'\\')
            || file.name == u"." || file.name == u".." || file.size < 0 || file.sha256.isEmpty())
            std::abort();
    }
    const std::optional<BackupManifest> again
        = BackupManifest::fromJson(manifest->toJson(), &reason);
    if (!again || again->made != manifest->made || again->programVersion != manifest->programVersion
        || again->programFolderId != manifest->programFolderId
        || again->files.size() != manifest->files.size())
        std::abort();
    for (qsizetype i = 0; i < again->files.size(); ++i) {
        const BackupManifest::File& before = manifest->files.at(i);
        const BackupManifest::File& after = again->files.at(i);
        if (before.name != after.name || before.size != after.size || before.sha256 != after.sha256)
            std::abort();
    }
    return 0;
}
