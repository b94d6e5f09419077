// Reads arbitrary bytes as a tracker's list of individuals (WeightTrker.Fil,
// BPTrker.Fil): the names must come out trimmed, non-empty, each spelling
// once and in list order, and survive being written and read again.
#include "FuzzFolder.h"

#include "trackers/IndividualList.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const FuzzFolder scratch;
    scratch.write(QStringLiteral("BPTrker.Fil"), FuzzFolder::bytes(data, size));

    IndividualList list(QStringLiteral("BPTrker.Fil"), QStringLiteral(".Fpl"));
    if (!list.load(scratch.folder()))
        std::abort();
    const QStringList& names = list.names();
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (names[i].isEmpty() || names[i] != names[i].trimmed() || list.indexOf(names[i]) != i)
            std::abort();
    }
    if (!std::is_sorted(names.cbegin(), names.cend(), IndividualList::lessThan))
        std::abort();

    // A name holding a double quote (only an unquoted value can) is stored
    // with an apostrophe instead, which may make it equal to another name.
    QStringList stored;
    for (QString name : names) {
        name.replace(u'"', u'\'');
        if (!stored.contains(name))
            stored.append(name);
    }
    std::sort(stored.begin(), stored.end(), IndividualList::lessThan);
    if (!list.write(scratch.folder()))
        std::abort();
    IndividualList again(QStringLiteral("BPTrker.Fil"), QStringLiteral(".Fpl"));
    if (!again.load(scratch.folder()) || again.names() != stored)
        std::abort();
    return 0;
}
