#include "passwords/PasswordHealth.h"

#include "TemporaryProgramFolder.h"

#include "passwords/IndexItem.h"
#include "passwords/PasswordFiles.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace {

const QString Strong = QStringLiteral("k7#Vq9!mZ2@pLx4$");

using Finding = PasswordHealth::Finding;

std::map<QString, QStringList> reasonsByName(const QList<Finding>& findings)
{
    std::map<QString, QStringList> reasons;
    for (const Finding& finding : findings)
        reasons[finding.name] = finding.reasons;
    return reasons;
}

TEST(PasswordHealthTest, NamesWeakReusedAndUnencryptedEntriesWithTheirReasons)
{
    TemporaryProgramFolder folder;
    QRandomGenerator random(7);
    PasswordFiles files(folder.folder(), &random);
    const PasswordEntry entries[] = {
        { "https://good.example", "me", Strong, "" },
        { "https://weak.example", "me", "password", "" },
        { "Bank card", "", "", "no password: nothing to judge" },
        { "www.plain.example", "me", "J9$kq!2Lm#8xZp", "" },
        { "http://shared.example", "me", "Tq8#Lz!4Wm@2Kp", "" },
        { "Door code", "", "Tq8#Lz!4Wm@2Kp", "" },
        { "HTTPS://upper.example", "me", "Vb6&Rn3*Yc9^Hs", "" },
        { "http//broken", "me", "Pw7!Ks2#Jd5$Gf", "" },
    };
    for (const PasswordEntry& entry : entries)
        ASSERT_TRUE(files.AddEntry(entry));

    const PasswordHealth::Report report = PasswordHealth::check(files);
    EXPECT_TRUE(report.unreadable.isEmpty());
    const auto reasons = reasonsByName(report.findings);
    const std::map<QString, QStringList> expected {
        { "https://weak.example",
            { "weak password: very weak, guessed offline in less than a second" } },
        { "www.plain.example", { "web address is not https" } },
        { "http://shared.example", { "same password as Door code", "web address is not https" } },
        { "Door code", { "same password as http://shared.example" } },
        { "http//broken", { "web address is not https" } },
    };
    EXPECT_EQ(reasons, expected);

    // Each finding names the list item that chooses its entry.
    for (const Finding& finding : report.findings)
        EXPECT_EQ(IndexItem(finding.indexItem).name(), finding.name);
}

TEST(PasswordHealthTest, AnEmptyKeeperAndAHealthyOneHaveNoFindings)
{
    EXPECT_TRUE(PasswordHealth::check(QList<PasswordHealth::Listed> {}).isEmpty());
    const QList<PasswordHealth::Listed> healthy {
        { "a", { "https://one.example", "", Strong, "" } },
        { "b", { "Library", "", "Zx9!Qw2@Er5#Ty", "" } },
    };
    EXPECT_TRUE(PasswordHealth::check(healthy).isEmpty());
}

TEST(PasswordHealthTest, ThreeEntriesSharingAPasswordEachNameTheOtherTwo)
{
    const QList<PasswordHealth::Listed> shared {
        { "1", { "One", "", Strong, "" } },
        { "2", { "Two", "", Strong, "" } },
        { "3", { "Three", "", Strong, "" } },
    };
    const auto reasons = reasonsByName(PasswordHealth::check(shared));
    EXPECT_EQ(reasons.at("One"), QStringList { "same password as Two, Three" });
    EXPECT_EQ(reasons.at("Three"), QStringList { "same password as One, Two" });
}

} // namespace
