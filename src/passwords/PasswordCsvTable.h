#pragma once

#include "ImportedPasswords.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// The rows of a password manager's CSV export, each a map from a column's
// header name (in lower case) to its value, so that the readers find their
// columns wherever the exporting program put them.
class PasswordCsvTable
{
public:
    struct Row {
        int line = 0;
        QHash<QString, QString> values;
    };

    // The rows after the header, blank ones left out; nothing, with the
    // reason, when the CSV cannot be read or its header lacks one of the
    // required columns.
    static std::optional<QList<Row>> read(
        const QByteArray& bytes, const QStringList& requiredColumns, QString& error);

    // The entries entry makes of the rows, each named by its line; or the
    // reason the CSV cannot be read.
    static ImportedPasswords readEntries(const QByteArray& bytes,
        const QStringList& requiredColumns,
        const std::function<ImportedPassword(const Row&)>& entry);

    // Whether the CSV's first line names every one of columns, in any
    // letter case.
    static bool headerHas(const QByteArray& bytes, const QStringList& columns);
};
