#include "InstalledCopy.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSize>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

namespace {

const QString AppId = QStringLiteral("org.halvorn.Halvorn");
const int IconSizes[] = { 16, 22, 24, 32, 48, 64, 128, 256, 512 };

QStringList expectedFiles()
{
    QStringList files { "usr/bin/halvorn", "usr/bin/halvorn-data",
        "usr/share/applications/" + AppId + ".desktop",
        "usr/share/metainfo/" + AppId + ".metainfo.xml",
        "usr/share/icons/hicolor/scalable/apps/" + AppId + ".svg", "usr/share/halvorn/Halvorn.png",
        "usr/share/halvorn/Sad1.ico", "usr/share/halvorn/1.ico", "usr/share/halvorn/2.ico",
        "usr/lib/systemd/user/halvorn-backup.service",
        "usr/lib/systemd/user/halvorn-backup.timer" };
    for (int number = 1; number <= 16; ++number)
        files.append(QStringLiteral("usr/share/halvorn/WP%1.jpg").arg(number));
    for (const QString& page : QDir(QStringLiteral(HALVORN_HELP_SOURCES)).entryList(QDir::Files))
        files.append("usr/share/halvorn/help/" + page);
    for (const int pixels : IconSizes)
        files.append(
            QStringLiteral("usr/share/icons/hicolor/%1x%1/apps/").arg(pixels) + AppId + ".png");
    files.sort();
    return files;
}

// Width and height from a PNG's header chunk.
QSize pngSize(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray header = file.read(24);
    if (header.size() < 24 || !header.startsWith("\x89PNG"))
        return {};
    return { int(qFromBigEndian<quint32>(header.constData() + 16)),
        int(qFromBigEndian<quint32>(header.constData() + 20)) };
}

struct ToolRun {
    int exitCode = -1;
    QString output;
};

ToolRun runTool(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    ToolRun run;
    if (process.waitForFinished(300000) && process.exitStatus() == QProcess::NormalExit)
        run.exitCode = process.exitCode();
    run.output = QString::fromLocal8Bit(process.readAll());
    return run;
}

class InstallTest : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(copy.install()) << copy.error().toStdString(); }
    InstalledCopy copy;
};

} // namespace

TEST_F(InstallTest, PutsTheProgramsPicturesHelpAndDesktopFilesInPlace)
{
    EXPECT_EQ(InstalledCopy::filesBelow(copy.root()), expectedFiles());
    for (const int pixels : IconSizes) {
        const QString icon = copy.prefix()
            + QStringLiteral("/share/icons/hicolor/%1x%1/apps/").arg(pixels) + AppId + ".png";
        EXPECT_EQ(pngSize(icon), QSize(pixels, pixels)) << icon.toStdString();
    }
}

TEST_F(InstallTest, TheDesktopEntryAndMetainfoValidate)
{
    const QString validateDesktop = QStandardPaths::findExecutable("desktop-file-validate");
    const QString appstream = QStandardPaths::findExecutable("appstreamcli");
    if (validateDesktop.isEmpty() || appstream.isEmpty())
        GTEST_SKIP() << "desktop-file-validate (desktop-file-utils) or appstreamcli (appstream) "
                        "is not installed; scripts/setup.sh installs both";

    const ToolRun desktop
        = runTool(validateDesktop, { copy.prefix() + "/share/applications/" + AppId + ".desktop" });
    EXPECT_EQ(desktop.exitCode, 0) << desktop.output.toStdString();
    EXPECT_TRUE(desktop.output.isEmpty()) << desktop.output.toStdString();

    const ToolRun metainfo = runTool(appstream,
        { "validate", "--no-net", copy.prefix() + "/share/metainfo/" + AppId + ".metainfo.xml" });
    EXPECT_EQ(metainfo.exitCode, 0) << metainfo.output.toStdString();
    EXPECT_TRUE(metainfo.output.contains("Validation was successful"))
        << metainfo.output.toStdString();
}

TEST(PackageTest, TheDebianPackageNamesItsRuntimeDependenciesAndHoldsTheInstall)
{
    const QString dpkgDeb = QStandardPaths::findExecutable("dpkg-deb");
    const QString readelf = QStandardPaths::findExecutable("readelf");
    if (QStandardPaths::findExecutable("dpkg-shlibdeps").isEmpty() || dpkgDeb.isEmpty()
        || readelf.isEmpty() || QStandardPaths::findExecutable("file").isEmpty())
        GTEST_SKIP() << "dpkg-shlibdeps (dpkg-dev), dpkg-deb, readelf or file is not installed; "
                        "scripts/setup.sh installs them";

    QTemporaryDir output;
    const ToolRun cpack = runTool(QStringLiteral(HALVORN_CPACK_COMMAND),
        { "-G", "DEB", "--config", QStringLiteral(HALVORN_BUILD_DIR "/CPackConfig.cmake"), "-B",
            output.path() });
    ASSERT_EQ(cpack.exitCode, 0) << cpack.output.toStdString();
    const QStringList packages = QDir(output.path()).entryList({ "halvorn_*.deb" }, QDir::Files);
    ASSERT_EQ(packages.size(), 1) << cpack.output.toStdString();
    const QString package = QDir(output.path()).filePath(packages.first());

    // Each Qt library an executable links (print support once the reports
    // use it) is a dependency, found by dpkg-shlibdeps; the fonts are named.
    InstalledCopy copy;
    ASSERT_TRUE(copy.install()) << copy.error().toStdString();
    QStringList needed { "fonts-liberation" };
    const QRegularExpression qtLibrary(QStringLiteral("\\[libQt6(\\w+)\\.so\\.6\\]"));
    for (const char* executable : { "halvorn", "halvorn-data" }) {
        const ToolRun linked
            = runTool(readelf, { "-d", copy.prefix() + "/bin/" + QString::fromLatin1(executable) });
        for (const QRegularExpressionMatch& match : qtLibrary.globalMatch(linked.output))
            needed.append("libqt6" + match.captured(1).toLower() + "6");
    }
    EXPECT_TRUE(needed.contains("libqt6widgets6") && needed.contains("libqt6charts6"))
        << needed.join(' ').toStdString();

    const ToolRun depends = runTool(dpkgDeb, { "--field", package, "Depends" });
    ASSERT_EQ(depends.exitCode, 0) << depends.output.toStdString();
    QStringList names;
    for (const QString& dependency : depends.output.split(',', Qt::SkipEmptyParts))
        names.append(dependency.trimmed().section(' ', 0, 0));
    for (const QString& name : std::as_const(needed))
        EXPECT_TRUE(names.contains(name))
            << name.toStdString() << " missing from: " << depends.output.toStdString();

    const ToolRun contents = runTool(dpkgDeb, { "--contents", package });
    ASSERT_EQ(contents.exitCode, 0) << contents.output.toStdString();
    for (const QString& file : expectedFiles())
        EXPECT_TRUE(contents.output.contains(" ./" + file + "\n")
            || contents.output.contains(" ./" + file + " "))
            << file.toStdString() << " missing from the package";
}
