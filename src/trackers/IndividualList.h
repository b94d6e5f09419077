#pragma once

#include "services/Outcome.h"
#include "storage/ProgramFolder.h"

#include <QString>
#include <QStringList>

#include <utility>

#include <functional>

// The individuals one tracker keeps: the names of its list file
// (WeightTrker.Fil, BPTrker.Fil), and the data file each name owns (name plus
// ".Fil" or ".Fpl"). Both trackers use this class; each supplies its two file
// names.
//
// The names are kept sorted the way the original selection list sorted them:
// without regard to letter case ("ann" < "Bob" < "carl"), names equal but for
// case ordered by code point so the order never depends on insertion. Screens
// show names() in this order and must not sort them again (QComboBox would
// sort case-sensitively, putting "Bob" before "ann").
//
// A name is listed at most once in any letter case: the data files are
// matched case-insensitively, so "ann" and "Ann" would share one file.
class IndividualList
{
public:
    IndividualList(QString listFileName, QString dataFileExtension);

    QString listFileName() const { return m_listFileName; }
    QString dataFileExtension() const { return m_dataFileExtension; }

    const QStringList& names() const { return m_names; }
    qsizetype size() const { return m_names.size(); }
    bool isEmpty() const { return m_names.isEmpty(); }
    QString at(qsizetype index) const { return m_names.at(index); }

    // The position of the name (trimmed): the one spelled exactly so, else
    // the first in any letter case, or -1.
    qsizetype indexOf(const QString& name) const;
    bool contains(const QString& name) const { return indexOf(name) >= 0; }

    // Sorts the trimmed name into its place and returns its position. A name
    // already listed (in any case) or empty after trimming is not added; the
    // result is then the existing position, or -1 for the empty name.
    qsizetype add(const QString& name);
    bool remove(const QString& name);
    void clear() { m_names.clear(); }

    static bool lessThan(const QString& left, const QString& right);

    // Pairs of listed names that differ only in letter case.
    QList<std::pair<QString, QString>> namesDifferingOnlyInCase() const;

    // The data file of one of this tracker's individuals.
    QString dataFileName(const QString& name) const;

    // Why the name cannot be given to a new individual, or the empty text:
    // the rules of IndividualName, a name already listed, or a data file of
    // that name already in the folder (it would be overwritten).
    QString refusalForNewName(const QString& name, const ProgramFolder& folder) const;

    // LoadIndividualList / LoadBpIndividualList: replaces the names by those
    // of the list file. A missing or empty file gives an empty list; values
    // are trimmed and empty ones dropped. Names that differ only in letter
    // case are both kept (each has a file of its own where the file system
    // tells them apart), so that no rewrite drops one. Fails, with the
    // reason, only when the file exists but cannot be read; the list is then
    // empty.
    Outcome load(const ProgramFolder& folder);

    // WriteIndividualList / WriteBpIndividualList: rewrites the list file
    // whole, or deletes it when no name is left. On failure the previous file
    // is left as it was and the reason is returned.
    Outcome write(const ProgramFolder& folder) const;

    // Creates an individual all or nothing: refuses a name that
    // refusalForNewName refuses, runs writeDataFile (which writes the new
    // data file), then lists the name and writes the list. When the list cannot be written the new
    // data file is removed again and the name taken off the list, so no half-made individual is
    // left.
    Outcome addIndividual(const ProgramFolder& folder, const QString& name,
        const std::function<Outcome()>& writeDataFile);

    // Removes an individual's data file, takes the name off the list and
    // writes the list (deleting it when it is now empty). A data file that is
    // already gone is not an error; one that cannot be removed keeps the name
    // listed.
    Outcome deleteIndividual(const ProgramFolder& folder, const QString& name);

private:
    QString m_listFileName;
    QString m_dataFileExtension;
    QStringList m_names;
};
