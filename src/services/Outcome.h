#pragma once

#include <QString>

#include <utility>

// How something the user asked for ended: done, or not done with the reason
// in words the user is shown and, where one file is to blame, that file's
// name. Storage, the backup engine, the password files and the command line
// all report a failure this way, so a screen shows every one of them alike.
struct [[nodiscard]] Outcome {
    bool succeeded = true;
    QString fileName;
    QString reason;

    static Outcome success() { return {}; }
    // A file could not be read or written.
    static Outcome failure(QString fileName, QString reason)
    {
        return { false, std::move(fileName), std::move(reason) };
    }
    // Refused before any file was touched; the reason says why.
    static Outcome refused(QString reason) { return { false, {}, std::move(reason) }; }
    // Not done, with a reason that already names what could not be read or
    // written ("WeightTrker.Fil could not be saved: ..."), shown as it stands.
    static Outcome failed(QString reason) { return { false, {}, std::move(reason) }; }

    explicit operator bool() const { return succeeded; }

    // What a screen shows for the failure: the file that could not be
    // written and why, or a refusal's reason as it stands.
    QString message() const
    {
        if (fileName.isEmpty())
            return reason;
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
