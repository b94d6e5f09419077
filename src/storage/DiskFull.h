#pragma once

#include <QString>

// A disk with no room left, said in the same words wherever a write fails
// for it. The system's own words vary ("No space left on device", "Disk
// quota exceeded"), and some of Qt's failures carry none at all ("Unknown
// error", or a lock that "cannot be locked").
class DiskFull
{
public:
    static inline const QString Reason = QStringLiteral("the disk is full");

    // Whether the system error number means that the disk (or the user's
    // share of it) has no room left.
    static bool isFullError(int error);
    // Whether the disk holding folder has no room left for this user: no
    // free block or no free file entry.
    static bool isFull(const QString& folder);
    // The words for a full disk when reason is the system's for it, or has
    // no words while the disk holding folder is full; else reason.
    static QString explain(const QString& reason, const QString& folder);
};
