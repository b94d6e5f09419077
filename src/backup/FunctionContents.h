#pragma once

#include <QByteArray>
#include <QDate>
#include <QJsonObject>
#include <QList>
#include <QString>

// What one function's files hold: the people of a tracker with the number
// of dated rows in each log and the date of the last, or the keeper's entry
// count; of a protected keeper only the size of its vault, which is never
// opened for it. The summary goes into a dated backup's manifest; the
// details (every date, checksums of files and entries) are kept in memory
// only, for comparing a program folder with a backup, so that no password
// entry's name is ever written down.
struct FunctionContents {
    struct Person {
        QString name;
        int rows = 0;
        // The last dated row's date; invalid when the log has none.
        QDate last;
        // In memory only: the date of each dated row, and the data file's
        // checksum.
        QList<QDate> dates;
        QByteArray fileChecksum;
    };

    // Whether the function has files at all (a list file, the keeper's).
    bool present = false;
    // The keeper's contents, with entries instead of people.
    bool keeper = false;
    QList<Person> people;
    int entries = 0;
    bool isProtected = false;
    qint64 vaultSize = 0;
    // In memory only: one checksum per entry over its name and texts, and
    // the vault's checksum.
    QList<QByteArray> entryChecksums;
    QByteArray vaultChecksum;

    const Person* person(const QString& name) const;

    QJsonObject toJson() const;
    static FunctionContents fromJson(const QJsonObject& object);
};
