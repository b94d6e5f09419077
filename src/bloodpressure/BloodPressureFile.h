#pragma once

#include "bloodpressure/Reading.h"
#include "services/Outcome.h"
#include "storage/ProgramFolder.h"
#include "trackers/IndividualList.h"

#include <QList>
#include <QString>

#include <optional>

// One individual's blood-pressure file (name + ".Fpl"), and the tracker's
// list of individuals, BPTrker.Fil.
//
// Line 1 is the grid's row count N, then N - 1 readings of five lines each:
// date, time, systolic, diastolic, pulse, as the grid shows them.
class BloodPressureFile
{
public:
    static inline const QString ListFileName = QStringLiteral("BPTrker.Fil");
    static inline const QString Extension = QStringLiteral(".Fpl");

    QString name; // Text1(0), trimmed when the file is named

    // The grid's row count, heading row included: rows 1 to rowCount - 1
    // hold readings. rows may be shorter (the rest are empty rows); it is
    // never cut: a longer rows list raises the stored count instead.
    int rowCount = 50;
    QList<Reading> rows;

    // Set by loading, never stored: the grid row the file ends part-way
    // through (its remaining cells are empty), or 0. The screen says so once.
    int cutShortRow = 0;

    // rowCount, raised to hold every row of rows.
    int storedRowCount() const;
    // The reading of grid row r (1 to storedRowCount() - 1); empty past rows.
    Reading row(int gridRow) const;

    QString fileName() const { return name.trimmed() + Extension; }

    static IndividualList emptyIndividualList();
    static IndividualList LoadBpIndividualList(
        const ProgramFolder& folder, QString* error = nullptr);
    static Outcome WriteBpIndividualList(const ProgramFolder& folder, const IndividualList& list);

    // Writes line 1 of a new individual's file, then lists the name and
    // rewrites BPTrker.Fil, all or nothing. Refuses, with the reason, a name
    // that IndividualList::refusalForNewName refuses.
    Outcome SaveNewBloodPressureFile(const ProgramFolder& folder, IndividualList& list) const;

    // Rewrites the whole file: the count and storedRowCount() - 1 readings,
    // each value trimmed. The previous file is replaced only once the new one
    // is complete; on failure it is unchanged and the reason returned.
    Outcome SaveBloodPressureFile(const ProgramFolder& folder) const;

    // Reads the file of a listed name. A missing file gives 50 empty rows; a
    // file that ends early leaves the remaining cells empty. The rows are as
    // many as the row count gives, or every reading stored when the file
    // holds more (a damaged count gives 50), so that none is lost at the
    // next save; the result always holds rowCount - 1 rows. Nothing (and the reason) when the file
    // exists but cannot be read, so that the screen never saves an empty log
    // over it.
    static std::optional<BloodPressureFile> LoadBloodPressureFile(
        const ProgramFolder& folder, const QString& name, QString* error = nullptr);

    // Removes the individual's file and name and rewrites (or, for the last
    // name, deletes) BPTrker.Fil.
    static Outcome deleteBloodPressureFile(
        const ProgramFolder& folder, IndividualList& list, const QString& name);

    bool operator==(const BloodPressureFile&) const = default;
};
