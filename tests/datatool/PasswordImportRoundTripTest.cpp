#include "DataToolProcess.h"
#include "TemporaryProgramFolder.h"

#include "passwords/PasswordFiles.h"
#include "storage/Windows1252.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace {

// Each manager's export, written from what that manager writes, imported
// into a keeper that already holds one entry and read back through the
// JSON export. The .expected.json beside each export lists the keeper's
// entries afterwards: every account of the file, each field in a box or a
// line of the comment.
struct RoundTrip {
    const char* name;
    const char* exportFile;
    bool protectedKeeper;
};

const RoundTrip RoundTrips[] = {
    { "KeePassXc_Classic", "keepassxc-2.7.csv", false },
    { "KeePassXc_Protected", "keepassxc-2.7.csv", true },
    { "Bitwarden_Classic", "bitwarden.json", false },
    { "Bitwarden_Protected", "bitwarden.json", true },
    { "Firefox_Classic", "firefox.csv", false },
    { "Firefox_Protected", "firefox.csv", true },
    { "Chrome_Classic", "chrome.csv", false },
    { "Chrome_Protected", "chrome.csv", true },
};

const QByteArray Master = "horse\n";

QString exportPath(const QString& name)
{
    return QStringLiteral(HALVORN_PASSWORD_EXPORTS "/") + name;
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

// The export's entries without their record numbers, which say where an
// entry is stored, not what it holds.
QJsonArray entriesOf(const QByteArray& json)
{
    QJsonArray entries;
    for (const QJsonValue& value :
        QJsonDocument::fromJson(json).object().value("entries").toArray()) {
        QJsonObject entry = value.toObject();
        entry.remove("record_number");
        entries.append(entry);
    }
    return entries;
}

class PasswordImportRoundTrip : public testing::TestWithParam<RoundTrip>
{
protected:
    DataToolRun run(QStringList arguments)
    {
        arguments << "--dir" << folder.path();
        return runDataToolWithInput(arguments, Master);
    }

    TemporaryProgramFolder folder;
};

TEST_P(PasswordImportRoundTrip, EveryAccountComesBackWithEveryFieldInABoxOrACommentLine)
{
    const RoundTrip& trip = GetParam();
    ASSERT_TRUE(
        PasswordFiles(folder.folder()).AddEntry({ "https://old.example", "me", "Old-Pw1", "" }));
    if (trip.protectedKeeper) {
        ASSERT_EQ(run({ "passwords", "protect" }).exitCode, 0);
    }

    const DataToolRun imported
        = run({ "import", "passwords", exportPath(QString::fromLatin1(trip.exportFile)) });
    ASSERT_EQ(imported.exitCode, 0) << imported.errText().toStdString();
    const DataToolRun exported = run({ "export", "passwords", "--format", "json" });
    ASSERT_EQ(exported.exitCode, 0) << exported.errText().toStdString();

    const QString expectedFile
        = exportPath(QString::fromLatin1(trip.exportFile).section(u'.', 0, -2) + ".expected.json");
    const QJsonArray expected = QJsonDocument::fromJson(fileBytes(expectedFile)).array();
    ASSERT_FALSE(expected.isEmpty()) << expectedFile.toStdString();
    EXPECT_EQ(entriesOf(exported.out), expected) << exported.outText().toStdString();
    EXPECT_EQ(run({ "check" }).exitCode, 0);

    if (!trip.protectedKeeper)
        return;
    // Nothing of any entry is in clear on the disk, in either encoding.
    const QMap<QString, QByteArray> files = folderContents(folder.path());
    for (const QJsonValue& value : expected) {
        for (const char* field : { "password", "sign_on" }) {
            const QString text = value.toObject().value(field).toString();
            if (text.size() < 4)
                continue;
            for (auto file = files.cbegin(); file != files.cend(); ++file) {
                EXPECT_FALSE(file.value().contains(text.toUtf8()))
                    << field << " " << text.toStdString() << " in " << file.key().toStdString();
                EXPECT_FALSE(file.value().contains(Windows1252::encode(text)))
                    << field << " " << text.toStdString() << " in " << file.key().toStdString();
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Exports, PasswordImportRoundTrip, testing::ValuesIn(RoundTrips),
    [](const testing::TestParamInfo<RoundTrip>& trip) { return std::string(trip.param.name); });

} // namespace
