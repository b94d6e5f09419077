#pragma once

#include "weight/WeighIn.h"

#include <QList>
#include <QString>

// The figures the weight screen derives from the weigh-in log: the change
// since the previous weigh-in, the difference from the beginning weight, the
// two trend pictures and the goal message. They are recomputed on the screen
// and never stored.
class ProgressStatistics
{
public:
    static inline const QString NotApplicable = QStringLiteral("N/A");
    static inline const QString NoLossIcon = QStringLiteral("Sad1.ico");
    static inline const QString SmallLossIcon = QStringLiteral("1.ico");
    static inline const QString LargeLossIcon = QStringLiteral("2.ico");
    static inline const QString GoalText = QStringLiteral("GOAL");

    // What a trend picture shows, in words for those who cannot see it.
    static QString trendInWords(const QString& icon);

    // A derived grid cell: its text and whether it is drawn bold (a loss).
    struct DerivedCell {
        QString text;
        bool bold = false;
        bool operator==(const DerivedCell&) const = default;
    };

    // Grid columns 3 and 4 of one log row.
    struct DerivedRow {
        DerivedCell change; // change from the last entry
        DerivedCell difference; // difference from the beginning weight
        bool operator==(const DerivedRow&) const = default;
    };

    struct TrendAndGoal {
        QString lastEntryIcon; // Image8; empty for no picture
        QString beginningIcon; // Image9; empty for no picture
        QString GoalReached; // "GOAL" while the goal message is shown
        bool goalMessageShown() const { return !GoalReached.isEmpty(); }
        bool operator==(const TrendAndGoal&) const = default;
    };

    // Recomputes derived (resized to rows, index 0 being grid row 1) from the
    // weights of rows and the beginning weight box. Each change and each
    // difference is a single-precision result written as its shortest text;
    // the difference goes through the beginning weight in double precision
    // first, so 198.5 against a beginning of 200.1 gives -1.6. A loss makes a
    // cell bold, a gain plain, and a result of exactly 0 keeps the cell's
    // boldness. Row 1's change is "N/A".
    //
    // A row without a usable weight gets empty derived cells, and the next
    // change is taken against the last usable weight above it, so a gap in
    // the log never shows a change measured from 0. The first usable weight
    // has no change ("N/A"). With no usable beginning weight the differences
    // are empty.
    static void RecomputeDerivedColumns(
        const QList<WeighIn>& rows, const QString& beginningWeight, QList<DerivedRow>& derived);

    // The trend pictures and goal message for the last weigh-in: the row
    // above the first row without a date. Reads that row's weight and derived
    // texts as the grid shows them (Delete Row does not recompute them). The
    // goal counts as reached when the goal box is at or above the last
    // weight; a last weigh-in without a usable weight never reaches it.
    static TrendAndGoal UpdateTrendAndGoal(
        const QList<WeighIn>& rows, const QList<DerivedRow>& derived, const QString& goalWeight);

    // A stored weight or derived text under the log's "###.#" format: one
    // decimal, halves away from zero, no leading zero, the point always
    // shown (183 as "183.", 0.5 as ".5", 0 as "."). Text that is not a
    // number, such as "N/A", is returned unchanged.
    static QString displayText(const QString& text);
};
