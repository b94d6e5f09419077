#include "InstalledCopy.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString readText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

// The daily backup comes as a user timer and service, installed but not
// enabled: nothing in the install turns it on, and the service runs the
// installed halvorn-data's backup of everything.
TEST(SystemdUnits, TheDailyBackupTimerAndServiceAreInstalledDisabledAndVerify)
{
    InstalledCopy copy;
    ASSERT_TRUE(copy.install()) << copy.error().toStdString();
    const QString units = copy.prefix() + "/lib/systemd/user";
    const QString service = readText(units + "/halvorn-backup.service");
    const QString timer = readText(units + "/halvorn-backup.timer");
    EXPECT_TRUE(service.contains("\nExecStart=/usr/bin/halvorn-data backup all\n"))
        << service.toStdString();
    EXPECT_TRUE(service.contains("\nType=oneshot\n"));
    EXPECT_TRUE(timer.contains("\nOnCalendar=daily\n")) << timer.toStdString();
    EXPECT_TRUE(timer.contains("\nWantedBy=timers.target\n"));
    // No enabling link anywhere in the install.
    for (const QString& file : InstalledCopy::filesBelow(copy.root()))
        EXPECT_FALSE(file.contains(".wants/")) << file.toStdString();

    const QString analyze = QStandardPaths::findExecutable("systemd-analyze");
    if (analyze.isEmpty())
        GTEST_SKIP() << "systemd-analyze (package systemd) is not installed";
    // Verified where the program really is, under the temporary root.
    QTemporaryDir folder;
    QFile serviceCopy(folder.filePath("halvorn-backup.service"));
    ASSERT_TRUE(serviceCopy.open(QIODevice::WriteOnly));
    serviceCopy.write(QString(service)
                          .replace("/usr/bin/halvorn-data", copy.prefix() + "/bin/halvorn-data")
                          .toUtf8());
    serviceCopy.close();
    ASSERT_TRUE(
        QFile::copy(units + "/halvorn-backup.timer", folder.filePath("halvorn-backup.timer")));
    // A user manager needs a runtime folder of its own.
    QTemporaryDir runtime;
    QFile::setPermissions(
        runtime.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_RUNTIME_DIR", runtime.path());
    QProcess verify;
    verify.setProcessEnvironment(environment);
    verify.start(analyze,
        { "verify", "--user", "--man=no", folder.filePath("halvorn-backup.service"),
            folder.filePath("halvorn-backup.timer") });
    ASSERT_TRUE(verify.waitForFinished(60000));
    const QString said
        = QString::fromUtf8(verify.readAllStandardOutput() + verify.readAllStandardError());
    EXPECT_EQ(verify.exitCode(), 0) << said.toStdString();
    EXPECT_TRUE(said.trimmed().isEmpty()) << said.toStdString();
}
