#pragma once

#include "BenchReport.h"
#include "Repetitions.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

// Importing a browser's export of 10,000 logins into an empty keeper, read,
// planned and added, against the least the same result needs: writing the
// keeper's two files once (a keeper without protection), or sealing and
// writing its vault once (a protected keeper). Each repetition imports into
// a folder of its own.
class PasswordImportCases
{
public:
    static constexpr int Logins = 10000;

    explicit PasswordImportCases(Repetitions repetitions);

    QList<BenchReport::Line> importPasswords();

    const QStringList& problems() const { return m_problems; }

private:
    BenchReport::Line importClassic();
    BenchReport::Line importProtected();
    void check(bool ok, const QString& problem);

    Repetitions m_repetitions;
    QByteArray m_export;
    QStringList m_problems;
};
