#pragma once

#include <QString>

// Whether a file the user asked to store reached the disk, and if not, which
// file and why, in words the user is shown.
struct WriteOutcome {
    bool written = true;
    QString fileName;
    QString reason;

    static WriteOutcome success() { return {}; }
    static WriteOutcome failure(const QString& fileName, const QString& reason)
    {
        return { false, fileName, reason };
    }

    explicit operator bool() const { return written; }

    // The message shown instead of the success message.
    QString message() const
    {
        return QStringLiteral("The file \"%1\" could not be written:\n%2").arg(fileName, reason);
    }

    // The message for a setting that could not be stored: it holds for now
    // but is gone when the program starts again.
    QString settingMessage(const QString& setting) const
    {
        return QStringLiteral("The %1 could not be stored and will be lost when the program "
                              "starts again.\n")
                   .arg(setting)
            + message();
    }
};
