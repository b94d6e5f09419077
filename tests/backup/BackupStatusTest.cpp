#include "backup/BackupStatus.h"

#include <gtest/gtest.h>

TEST(BackupStatus, SaysWhenTheLastBackupWasAndWhenItIsOld)
{
    const QDate today(2026, 12, 10);
    const struct {
        const char* name;
        std::optional<QDateTime> newest;
        int overdueDays;
        const char* text;
    } cases[] = {
        { "none", std::nullopt, 30, "No backup yet" },
        { "today", QDateTime(today, QTime(9, 30)), 30, "Last backup: December 10, 2026" },
        { "exactly the days set", QDateTime(today.addDays(-30), QTime(23, 59)), 30,
            "Last backup: November 10, 2026" },
        { "a day more", QDateTime(today.addDays(-31), QTime(8, 0)), 30,
            "Last backup: November 9, 2026, 31 days ago: time to back up again" },
        { "older than a shorter setting", QDateTime(QDate(2026, 12, 1), QTime(8, 0)), 7,
            "Last backup: December 1, 2026, 9 days ago: time to back up again" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(BackupStatus::text(c.newest, today, c.overdueDays), QString(c.text));
    }
}
