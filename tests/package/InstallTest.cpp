#include "BuiltPackage.h"
#include "InstalledCopy.h"
#include "ToolRun.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSize>
#include <QStandardPaths>
#include <QtEndian>

#include <gtest/gtest.h>

namespace {

const QString AppId = QStringLiteral("org.halvorn.halvorn");
const int IconSizes[] = { 16, 22, 24, 32, 48, 64, 128, 256, 512 };

QStringList expectedFiles()
{
    QStringList files { "usr/bin/halvorn", "usr/bin/halvorn-data",
        "usr/share/applications/" + AppId + ".desktop",
        "usr/share/metainfo/" + AppId + ".metainfo.xml",
        "usr/share/icons/hicolor/scalable/apps/" + AppId + ".svg", "usr/share/halvorn/Halvorn.png",
        "usr/share/halvorn/Sad1.ico", "usr/share/halvorn/1.ico", "usr/share/halvorn/2.ico",
        "usr/share/man/man1/halvorn.1.gz", "usr/share/man/man1/halvorn-data.1.gz",
        "usr/share/doc/halvorn/changelog.gz", "usr/share/doc/halvorn/copyright",
        "usr/lib/systemd/user/halvorn-backup.service", "usr/lib/systemd/user/halvorn-backup.timer",
        "usr/libexec/halvorn/halvorn-report" };
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

class InstallTest : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(copy.install()) << copy.error().toStdString(); }
    InstalledCopy copy;
};

} // namespace

TEST_F(InstallTest, PutsTheProgramsPicturesHelpAndDesktopFilesInPlace)
{
    EXPECT_EQ(InstalledCopy::filesBelow(copy.root()).join(u'\n').toStdString(),
        expectedFiles().join(u'\n').toStdString());
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

    const ToolRun desktop = ToolRun::of(
        validateDesktop, { copy.prefix() + "/share/applications/" + AppId + ".desktop" });
    EXPECT_EQ(desktop.exitCode, 0) << desktop.output.toStdString();
    EXPECT_TRUE(desktop.output.isEmpty()) << desktop.output.toStdString();

    // Pedantic too: the notes a software centre's reviewer would raise.
    const ToolRun metainfo = ToolRun::of(appstream,
        { "validate", "--no-net", "--pedantic",
            copy.prefix() + "/share/metainfo/" + AppId + ".metainfo.xml" });
    EXPECT_EQ(metainfo.exitCode, 0) << metainfo.output.toStdString();
    const QStringList said = metainfo.output.trimmed().split('\n');
    EXPECT_TRUE(said.size() == 1 && said.first().endsWith("Validation was successful."))
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

    BuiltPackage built;
    ASSERT_TRUE(built.build()) << built.error().toStdString();
    const QString package = built.path();

    // Each Qt library an executable links (print support once the reports
    // use it) is a dependency, found by dpkg-shlibdeps; the fonts are named.
    InstalledCopy copy;
    ASSERT_TRUE(copy.install()) << copy.error().toStdString();
    QStringList needed { "fonts-liberation" };
    const QRegularExpression qtLibrary(QStringLiteral("\\[libQt6(\\w+)\\.so\\.6\\]"));
    for (const char* executable : { "halvorn", "halvorn-data" }) {
        const ToolRun linked = ToolRun::of(
            readelf, { "-d", copy.prefix() + "/bin/" + QString::fromLatin1(executable) });
        for (const QRegularExpressionMatch& match : qtLibrary.globalMatch(linked.output))
            needed.append("libqt6" + match.captured(1).toLower() + "6");
    }
    EXPECT_TRUE(needed.contains("libqt6widgets6") && needed.contains("libqt6charts6"))
        << needed.join(' ').toStdString();

    const ToolRun depends = ToolRun::of(dpkgDeb, { "--field", package, "Depends" });
    ASSERT_EQ(depends.exitCode, 0) << depends.output.toStdString();
    QStringList names;
    for (const QString& dependency : depends.output.split(',', Qt::SkipEmptyParts))
        names.append(dependency.trimmed().section(' ', 0, 0));
    for (const QString& name : std::as_const(needed))
        EXPECT_TRUE(names.contains(name))
            << name.toStdString() << " missing from: " << depends.output.toStdString();

    const ToolRun contents = ToolRun::of(dpkgDeb, { "--contents", package });
    ASSERT_EQ(contents.exitCode, 0) << contents.output.toStdString();
    for (const QString& file : expectedFiles())
        EXPECT_TRUE(contents.output.contains(" ./" + file + "\n")
            || contents.output.contains(" ./" + file + " "))
            << file.toStdString() << " missing from the package";
}

TEST(PackageTest, LintianFindsNoErrorOrWarning)
{
    const QString lintian = QStandardPaths::findExecutable("lintian");
    if (lintian.isEmpty())
        GTEST_SKIP() << "lintian is not installed; scripts/setup.sh installs it";

    BuiltPackage built;
    ASSERT_TRUE(built.build()) << built.error().toStdString();
    const ToolRun run = ToolRun::of(lintian, { built.path() });
    // Findings are lines "E: halvorn: tag [place]" (W: for warnings); what
    // lintian says of itself, such as a warning about running as root, is
    // not about the package.
    static const QRegularExpression finding(
        QStringLiteral("^[EW]: halvorn\\S*: "), QRegularExpression::MultilineOption);
    EXPECT_FALSE(finding.match(run.output).hasMatch()) << run.output.toStdString();
    EXPECT_EQ(run.exitCode, 0) << run.output.toStdString();
}
