#include "BackupStatus.h"

#include <QLocale>

QString BackupStatus::dateText(const QDate& date)
{
    return QLocale::c().toString(date, QStringLiteral("MMMM d, yyyy"));
}

QString BackupStatus::text(
    const std::optional<QDateTime>& newest, const QDate& today, int overdueDays)
{
    if (!newest)
        return QStringLiteral("No backup yet");
    const QString last = QStringLiteral("Last backup: %1").arg(dateText(newest->date()));
    const qint64 days = newest->date().daysTo(today);
    if (days <= overdueDays)
        return last;
    return QStringLiteral("%1, %2 days ago: time to back up again").arg(last).arg(days);
}
