#include "TemporaryProgramFolder.h"

#include "backup/BackupTarget.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

TEST(BackupTarget, TargetPathEndsInOneSeparator)
{
    const QList<std::pair<QString, QString>> cases {
        { "/", "/" },
        { "/media/usb", "/media/usb/" },
        { "/media/usb/", "/media/usb/" },
        { "/media/usb//", "/media/usb/" },
        { "A:\\", "A:\\" },
        { "C:\\Backup", "C:\\Backup\\" },
        { "C:\\Backup\\\\", "C:\\Backup\\" },
    };
    for (const auto& [folder, expected] : cases)
        EXPECT_EQ(BackupTarget::targetPath(folder), expected) << folder.toStdString();
}

TEST(BackupTarget, TheProgramFolderIsRecognisedHoweverItIsSpelt)
{
    TemporaryProgramFolder program;
    TemporaryProgramFolder elsewhere;
    QDir(program.path()).mkdir("sub");
    const QString link = elsewhere.filePath("link");
    ASSERT_TRUE(QFile::link(program.path(), link));

    const QList<std::pair<QString, bool>> cases {
        { program.path(), true },
        { program.path() + "/", true },
        { " " + program.path() + "/ ", true },
        { program.path().toUpper(), true },
        { program.path() + "/sub/..", true },
        { link, true },
        { link + "/", true },
        { program.filePath("sub"), false },
        { elsewhere.path(), false },
        { QFileInfo(program.path()).path(), false },
    };
    for (const auto& [folder, isProgram] : cases)
        EXPECT_EQ(BackupTarget::isProgramFolder(folder, program.folder()), isProgram)
            << folder.toStdString();
}

} // namespace
