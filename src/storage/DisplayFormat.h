#pragma once

#include <QString>

// The number display formats of the log grids and reports ("###.#", "###").
// A format changes only what is shown; the stored text never changes.
namespace DisplayFormat {

// The text as shown under the format: numbers are rounded (halves away from
// zero) and written with only the digits the format's "#" places need, so
// 183 shows as "183." and 0 as "." under "###.#", and 0 as nothing under
// "###". Text that is not a number, and any text under an empty or unknown
// format, is shown unchanged.
QString apply(const QString& format, const QString& text);

} // namespace DisplayFormat
