#pragma once

#include "logimport/SourceLog.h"
#include "weight/WeighIn.h"

#include <QDate>
#include <QList>
#include <QString>

#include <optional>

// What an import adds to a weigh-in log: each weight converted into the
// person's unit and rounded to the tenth the weight box shows; a weigh-in
// equal to one already logged (same day, same weight) skipped and counted;
// and, unless every weigh-in is wanted, only the earliest of each day kept,
// a day the log already has counting as taken. The program's own export
// is taken whole: see SourceLog::ownLog.
class WeightImportPlan
{
public:
    using Unit = WeightPersonSettings::Unit;

    static constexpr double PoundsPerKilogram = 2.20462262185;

    QList<WeighIn> added; // in date order; the program's own log in its order
    int duplicates = 0; // already in the log before the import
    int sameDay = 0;
    // The same day and weight again in the file, when every weigh-in is
    // kept.
    int repeated = 0;
    QList<RefusedLine> refused;
    QList<SkippedLines> skipped;
    QDate first; // of the rows added
    QDate last;

    // Dates before 1900 or after the year after today's, and weights the
    // log's weight box does not take, are refused.
    static WeightImportPlan make(const SourceLog& source, const QList<WeighIn>& log, Unit unit,
        bool everyWeighIn, QDate today = QDate::currentDate());

    // The weight as the log stores it, "177.3" or "80"; nothing when it
    // rounds to 0 or below.
    static std::optional<QString> converted(double weight, Unit from, Unit to);
};
