#include "DatedRows.h"

#include <algorithm>

DatedRows::Span DatedRows::latest(int entryCount, int limit)
{
    const int count = std::max(0, entryCount);
    if (limit <= 0 || count <= limit)
        return { 0, count };
    return { count - limit, limit };
}
