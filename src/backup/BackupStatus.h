#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

#include <optional>

// The main screen's word on backups: the date of the newest complete backup
// of everything, and whether it is older than the user wants.
class BackupStatus
{
public:
    static QString text(
        const std::optional<QDateTime>& newest, const QDate& today, int overdueDays);
    // "December 10, 2026", whatever the desktop's language.
    static QString dateText(const QDate& date);
};
