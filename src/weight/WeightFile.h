#pragma once

#include "services/Outcome.h"
#include "storage/ProgramFolder.h"
#include "trackers/IndividualList.h"
#include "weight/WeighIn.h"

#include <QList>
#include <QString>

#include <optional>

// One individual's weight file (name + ".Fil"), and the weight tracker's list
// of individuals, WeightTrker.Fil.
//
// Line 1 is the grid's row count N, lines 2 to 9 the header boxes Text1(1) to
// Text1(8), line 10 the comments, lines 11 and 12 the picture paths, then
// N - 1 pairs of date and weight. The derived columns are never stored.
class WeightFile
{
public:
    static inline const QString ListFileName = QStringLiteral("WeightTrker.Fil");
    static inline const QString Extension = QStringLiteral(".Fil");
    static constexpr int HeaderFieldCount = 8;
    // What a picture date holding nothing but blanks shows, on the screen
    // and on paper alike; once shown it is stored like any other date.
    static inline const QString PictureDatePlaceholder = QStringLiteral("Date Photo Taken");

    QString name; // Text1(0), trimmed when the file is named

    // Text1(1) to Text1(8), in file order.
    QString beginningDate;
    QString beginningWeight;
    QString goalWeight;
    QString exerciseDaysPerWeek;
    QString exerciseTimePerPeriod;
    QString exerciseTypes;
    QString beginningPictureDate; // may hold "Date Photo Taken"
    QString currentPictureDate;
    QString comments; // Text3, may hold line breaks

    // Full paths; unset (stored as an empty line) when no picture was chosen.
    // Loading turns a stored line, empty or not, into a set text.
    std::optional<QString> beginningPicture;
    std::optional<QString> currentPicture;

    // The grid's row count, heading row included: rows 1 to rowCount - 1
    // hold weigh-ins. rows may be shorter (the rest are empty rows); it is
    // never cut: a longer rows list raises the stored count instead.
    int rowCount = 50;
    QList<WeighIn> rows;

    // Set by loading, never stored: the grid row the file ends part-way
    // through (a date without its weight), or 0. The screen says so once.
    int cutShortRow = 0;

    // Text1(index) for index 1 to 8, for screens that walk the boxes.
    QString& headerField(int index);
    const QString& headerField(int index) const;

    // rowCount, raised to hold every row of rows.
    int storedRowCount() const;
    // The weigh-in of grid row r (1 to storedRowCount() - 1); empty past rows.
    WeighIn row(int gridRow) const;

    QString fileName() const { return name.trimmed() + Extension; }

    // A picture date (Text1(7) or Text1(8)) as it is shown.
    static QString shownPictureDate(const QString& stored);

    static IndividualList emptyIndividualList();
    static IndividualList LoadIndividualList(const ProgramFolder& folder, QString* error = nullptr);
    static Outcome WriteIndividualList(const ProgramFolder& folder, const IndividualList& list);

    // Writes lines 1 to 12 of a new individual's file, then lists the name
    // and rewrites WeightTrker.Fil, all or nothing. Refuses, with the reason,
    // a name that IndividualList::refusalForNewName refuses.
    Outcome SaveNewWeightFile(const ProgramFolder& folder, IndividualList& list) const;

    // Rewrites the whole file: 12 lines and storedRowCount() - 1 pairs, each
    // value trimmed. The previous file is replaced only once the new one is
    // complete; on failure it is unchanged and the reason returned.
    Outcome SaveWeightFile(const ProgramFolder& folder) const;

    // Reads the file of a listed name. A missing file gives empty fields, 50
    // empty rows and no pictures; a file that ends early leaves the remaining
    // fields empty. The rows are as many as the row count gives, or every
    // row stored when the file holds more (a damaged count gives 50), so
    // that no stored weigh-in is lost at the next save; the result always
    // holds rowCount - 1 rows. Nothing (and the reason) when the file exists
    // but cannot be read, so that the screen never saves an empty log over
    // it.
    static std::optional<WeightFile> LoadWeightFile(
        const ProgramFolder& folder, const QString& name, QString* error = nullptr);

    // Removes the individual's file and name and rewrites (or, for the last
    // name, deletes) WeightTrker.Fil.
    static Outcome deleteWeightFile(
        const ProgramFolder& folder, IndividualList& list, const QString& name);

    bool operator==(const WeightFile&) const = default;

private:
    QList<std::optional<QString>> headerValues(int storedRows) const;
};
