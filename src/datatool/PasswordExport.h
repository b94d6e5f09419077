#pragma once

#include "PasswordSnapshot.h"

#include <QByteArray>
#include <QJsonObject>
#include <QStringList>

// Every password entry in the keeper's list order: name, record number,
// sign-on id, password and comment in plain text.
class PasswordExport
{
public:
    explicit PasswordExport(const PasswordSnapshot& snapshot);

    static QStringList csvColumns();

    QByteArray csv() const;
    QJsonObject json() const;

private:
    struct Row {
        int recordNumber = 0;
        PasswordEntry entry;
    };
    QList<Row> m_rows;
};
