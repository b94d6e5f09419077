#pragma once

#include "weight/ProgressStatistics.h"
#include "weight/WeightFile.h"

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QStringList>

// One individual's weight file as a document: the stored fields and rows
// with the derived columns, trend pictures and goal exactly as the weight
// screen shows them, all taken from ProgressStatistics.
//
// The CSV is the log alone, one record per non-empty row, so that it opens
// as one table in a spreadsheet and imports again; the JSON carries
// everything, empty rows included with their row numbers.
class WeightExport
{
public:
    // unit is the person's unit ("lb" or "kg") when one was chosen for
    // them: the CSV's weight column then reads "weight (lb)", and the JSON
    // names it. Without one the documents stay as they always were.
    explicit WeightExport(WeightFile file, QString unit = QString());

    // The CSV header; the importer reads "date" and "weight" from it.
    static QStringList csvColumns();

    QByteArray csv() const;
    QJsonObject json() const;

private:
    QStringList csvFields(int index) const;

    WeightFile m_file;
    QString m_unit;
    QList<ProgressStatistics::DerivedRow> m_derived;
    ProgressStatistics::TrendAndGoal m_trend;
};
