#pragma once

#include <QString>

// The full path of a progress picture as the weight file stores it (lines 11
// and 12). The file keeps one Windows-1252 text per line between double
// quotes, so a path holding a double quote (stored as an apostrophe) or a
// character outside the code page (stored as "?") would come back as a path
// that names no file, and the picture would be lost at the next load. The
// same holds for a name that ends in a blank: references are read trimmed.
class PictureReference
{
public:
    // Why the path cannot be stored, in words the user is shown (naming the
    // path), or the empty text when it can.
    static QString refusalFor(const QString& path);
};
