#pragma once

#include "PasswordEntry.h"

#include <QList>
#include <QString>
#include <QStringList>

class PasswordFiles;

// The entries whose password is weak or used by another entry too, or
// whose web address does not lead to an encrypted (https) site, each with
// its reasons. Entries without a password are not judged by their password:
// a card or a note may have none.
class PasswordHealth
{
public:
    struct Listed {
        QString indexItem;
        PasswordEntry entry;
    };

    struct Finding {
        // The keeper's list item, so that the screen can choose the entry.
        QString indexItem;
        QString name;
        QStringList reasons;
    };

    struct Report {
        QList<Finding> findings;
        // Names of listed entries whose record could not be read.
        QStringList unreadable;
    };

    // Findings in the order of entries, which is the list's order.
    static QList<Finding> check(const QList<Listed>& entries);

    // Every listed entry of the keeper's files, checked.
    static Report check(const PasswordFiles& files);

    // The reason given for a web address that is not https.
    static QString notHttpsReason();
};
