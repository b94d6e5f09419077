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
    explicit WeightExport(WeightFile file);

    // The CSV header; the importer reads "date" and "weight" from it.
    static QStringList csvColumns();

    QByteArray csv() const;
    QJsonObject json() const;

private:
    QStringList csvFields(int index) const;

    WeightFile m_file;
    QList<ProgressStatistics::DerivedRow> m_derived;
    ProgressStatistics::TrendAndGoal m_trend;
};
