#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

// The built project installed with `cmake --install` under a temporary
// DESTDIR (prefix /usr), with a temporary home for the user who runs it, so
// that nothing reaches the real system or the real user's folders.
class InstalledCopy
{
public:
    InstalledCopy();

    // False, with the reason in error(), when the install failed.
    bool install();
    QString error() const { return m_error; }

    QString root() const { return m_stage.filePath(QStringLiteral("root")); }
    QString prefix() const { return root() + QStringLiteral("/usr"); }
    QString home() const { return m_stage.filePath(QStringLiteral("home")); }
    QString scratch(const QString& name) const { return m_stage.filePath(name); }
    // Where the program keeps the user's files under the temporary home.
    QString userDataFolder() const { return home() + QStringLiteral("/.local/share/Halvorn"); }

    // Every file below a folder, relative to it, sorted.
    static QStringList filesBelow(const QString& folder);

    // The environment of a user logged in with the temporary home, headless.
    QProcessEnvironment userEnvironment() const;

    // Starts a program as that user and returns it running.
    std::unique_ptr<QProcess> start(const QString& program, const QStringList& arguments) const;
    // Runs a program to its end; the exit code, or -1 when it did not end
    // normally within a minute.
    struct Result {
        int exitCode = -1;
        QString out;
        QString err;
    };
    Result run(const QString& program, const QStringList& arguments) const;

    // Waits (up to thirty seconds) for a file to appear while a program runs.
    static bool waitForFile(const QString& path, QProcess& running);

private:
    QTemporaryDir m_stage;
    QString m_error;
};
