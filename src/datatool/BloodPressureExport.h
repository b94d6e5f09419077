#pragma once

#include "bloodpressure/BloodPressureAverages.h"
#include "bloodpressure/BloodPressureFile.h"
#include "bloodpressure/BloodPressureGuideline.h"

#include <QByteArray>
#include <QJsonObject>
#include <QStringList>

// One individual's blood-pressure file as a document: every reading with the
// category of its systolic and of its diastolic value under the chosen
// guideline, and the three
// averages as the screen shows them, all taken from BloodPressureCategory and
// BloodPressureAverages.
//
// The CSV is the log alone, one record per non-empty row; the JSON carries
// the averages too, and the empty rows with their row numbers.
class BloodPressureExport
{
public:
    explicit BloodPressureExport(BloodPressureFile file,
        BloodPressureGuideline::Id guideline = BloodPressureGuideline::Id::Own);

    // The CSV header; the importer reads the five stored columns from it.
    static QStringList csvColumns();

    // The category's name as the measurement chart words it, or the empty
    // text for a cell that holds no number.
    static QString categoryName(const QString& valueText, bool systolic,
        const BloodPressureGuideline& guideline
        = BloodPressureGuideline::of(BloodPressureGuideline::Id::Own));

    QByteArray csv() const;
    QJsonObject json() const;

private:
    QStringList csvFields(int index) const;

    BloodPressureFile m_file;
    const BloodPressureGuideline& m_guideline;
    BloodPressureAverages m_averages;
};
