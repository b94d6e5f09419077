#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// What a halvorn-data command line asked for: the command and its words in
// positional, and the options as given.
struct DataToolOptions {
    enum class Kind { Weight, BloodPressure, Passwords, Unknown };

    QString folder;
    QString format = QStringLiteral("csv");
    QString output;
    bool formatGiven = false;
    bool show = false;
    // Empty: the paper of the user's locale, as on the screen.
    QString paper;
    bool landscape = false;
    std::optional<QString> reportOptions;
    std::optional<QString> entries;
    bool reportLayoutGiven = false;
    bool yes = false;
    std::optional<QString> keep;
    // import passwords: the export's format, whether over-long fields are
    // cut, and whether the entries of the export's recycle bin come in
    // (--skip-refused serves it too).
    std::optional<QString> from;
    bool cut = false;
    bool includeDeleted = false;
    // import weight|bp: every weigh-in of a day, the preview alone, and the
    // rest of the file taken when some lines are refused.
    bool allReadings = false;
    bool dryRun = false;
    bool skipRefused = false;
    // import weight|bp --from mapped: FIELD=HEADING as given, and the date
    // order (--unit gives the weights' unit).
    QStringList maps;
    std::optional<QString> dateOrder;
    // check passwords: the weak, reused and unencrypted entries.
    bool health = false;
    // stats bp and report bp: the guideline's word instead of the stored one.
    std::optional<QString> guideline;
    // set weight: the unit, stones and height as given; import weight
    // --from mapped: the unit.
    std::optional<QString> unit;
    std::optional<QString> stones;
    std::optional<QString> height;
    // set weight on a person with weigh-ins: convert the weights into the
    // new unit, or only relabel them.
    bool convert = false;
    bool relabel = false;
    bool help = false;
    QStringList positional;

    // The function named by the positional word at index ("weight", "bp",
    // "passwords"); Unknown for any other word or none.
    Kind kindAt(qsizetype index) const;
    // Refused when the output would land inside the program folder: over one
    // of its files, or as a new file there.
    bool writesIntoProgramFolder() const;
};
