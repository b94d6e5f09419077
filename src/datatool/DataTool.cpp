#include "DataTool.h"

#include "BloodPressureExport.h"
#include "DataImporter.h"
#include "FolderChecker.h"
#include "PasswordExport.h"
#include "PasswordSnapshot.h"
#include "ProgramBackupSets.h"
#include "ReportWriter.h"
#include "UnattendedBackupRun.h"
#include "WeightExport.h"
#include "backup/BackupEngine.h"
#include "backup/BackupTarget.h"
#include "backup/DatedBackups.h"
#include "backup/DiskFileOperations.h"
#include "backup/FileSetTransaction.h"
#include "backup/FullBackup.h"
#include "backup/FullRestore.h"
#include "bloodpressure/BloodPressureFile.h"
#include "bloodpressure/PrintEntryCount.h"
#include "passwords/IndexItem.h"
#include "storage/DataFolderLock.h"
#include "storage/FileWriting.h"
#include "storage/ProgramSettings.h"
#include "weight/WeightFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>

#include <algorithm>
#include <utility>

namespace {

const QString ProgramName = QStringLiteral("halvorn-data");
const QString StandardOutput = QStringLiteral("standard output");

enum class Kind { Weight, BloodPressure, Passwords, Unknown };

Kind kindOf(const QString& word)
{
    if (word == u"weight")
        return Kind::Weight;
    if (word == u"bp")
        return Kind::BloodPressure;
    if (word == u"passwords")
        return Kind::Passwords;
    return Kind::Unknown;
}

// Takes the value of an option given as "--name VALUE" or "--name=VALUE".
bool takeValue(const QStringList& arguments, qsizetype& i, const QString& name, QString& value,
    bool& matched, QString& error)
{
    const QString& argument = arguments.at(i);
    if (argument == name) {
        matched = true;
        if (i + 1 >= arguments.size()) {
            error = QStringLiteral("%1 needs a value").arg(name);
            return false;
        }
        value = arguments.at(++i);
        return true;
    }
    if (name.startsWith(u"--") && argument.startsWith(name + u'=')) {
        matched = true;
        value = argument.mid(name.size() + 1);
        return true;
    }
    return true;
}

} // namespace

DataTool::DataTool(QIODevice& out, QIODevice& err, bool outputIsTerminal, QString defaultFolder,
    ReportWriter* reports)
    : m_out(out)
    , m_err(err)
    , m_outputIsTerminal(outputIsTerminal)
    , m_defaultFolder(std::move(defaultFolder))
    , m_reports(reports)
{ }

QString DataTool::usage() const
{
    return QStringLiteral(
        "Usage: halvorn-data COMMAND [--dir DIR]\n"
        "\n"
        "Lists, exports, imports and checks the files Halvorn keeps.\n"
        "\n"
        "Commands:\n"
        "  list weight|bp|passwords\n"
        "      The names, one per line, in list order.\n"
        "  export weight NAME [--format csv|json] [-o FILE]\n"
        "      The weight file with its derived columns, trend icons and goal.\n"
        "  export bp NAME [--format csv|json] [-o FILE]\n"
        "      Every reading with its categories, and the averages (JSON).\n"
        "  export passwords [--format csv|json] [-o FILE] [--show]\n"
        "      Every password entry in plain text. Refuses to print to a\n"
        "      terminal unless --show is given.\n"
        "  import weight|bp NAME FILE.csv\n"
        "      Appends the CSV's rows to NAME's file, creating NAME when it is\n"
        "      not listed. Columns are found by header name (weight: date,\n"
        "      weight; bp: date, time, systolic, diastolic, pulse); other\n"
        "      columns are ignored. When any row is bad nothing is written and\n"
        "      every bad row is reported with its line number. A file that\n"
        "      check finds damaged is not imported into. Refused while Halvorn\n"
        "      has the folder open.\n"
        "  check\n"
        "      Reports what is wrong with the folder's files: damage, which is a\n"
        "      problem, and notes on typed values that give no figures.\n"
        "  report weight NAME -o FILE.pdf [--paper letter|a4] [--landscape]\n"
        "         [--options LIST]\n"
        "      The Weight Tracker's printed report as a PDF, in the stored print\n"
        "      font and size. LIST names the report options to tick, separated\n"
        "      by commas: graph, plan, data, beginning-picture, current-picture,\n"
        "      border-lines, divider-lines, or none (default: graph,plan,data).\n"
        "  report bp NAME -o FILE.pdf [--entries All|5|10|15|20|30|45|60|90]\n"
        "         [--paper letter|a4] [--landscape] [--options LIST]\n"
        "      The Blood Pressure Tracker's printed report as a PDF, in the stored\n"
        "      print font and size: the latest entries (default: All). LIST:\n"
        "      graph, border-lines, divider-lines, or none (default: graph).\n"
        "  report passwords NAME -o FILE.pdf [--paper letter|a4] [--landscape]\n"
        "      The Password Keeper's printout of the entry named NAME, in Times\n"
        "      New Roman 12. The PDF holds the password in clear text and is\n"
        "      readable by its owner only.\n"
        "  backup weight|bp|passwords DIR\n"
        "      Copies the function's files into DIR (created when missing) under\n"
        "      their backup names and checks each copy; only then do they replace\n"
        "      an earlier backup there, all at once. Prints each file copied.\n"
        "      Refused while Halvorn has the folder open.\n"
        "  restore weight|bp|passwords DIR [--yes]\n"
        "      Lists the program files a restore from DIR would replace; with\n"
        "      --yes restores them. The backup is first read with the checks of\n"
        "      check: a damaged backup is refused whole. The files are replaced\n"
        "      all at once by checked copies (a run cut short is finished or\n"
        "      undone by the next command), and a file the backup lacks keeps\n"
        "      its program copy. --yes is refused while Halvorn has the folder\n"
        "      open.\n"
        "  backup all [DIR] [--keep N]\n"
        "      Copies everything, the three functions' files and the settings,\n"
        "      into a new dated folder inside DIR (\"Halvorn 2026-12-10 0930\"),\n"
        "      checks each copy and writes a manifest last; then removes the\n"
        "      oldest complete dated folders beyond N (default: the number set\n"
        "      in Halvorn, 10) and any unfinished one. Without DIR it uses the\n"
        "      backup folder chosen in Halvorn's Backup Settings. Refused while\n"
        "      Halvorn has the folder open.\n"
        "  backups DIR\n"
        "      Lists the dated folders in DIR, oldest first, with their state\n"
        "      (complete, unfinished, damaged), date and size.\n"
        "  restore all DIR/DATED [--yes]\n"
        "      Lists what restoring everything from a dated folder would\n"
        "      replace; with --yes restores the three functions' files and the\n"
        "      settings all at once, after checking every file against the\n"
        "      manifest. An unfinished or damaged backup is refused whole.\n"
        "\n"
        "Options:\n"
        "  --dir DIR           the folder of Halvorn's files (default: below)\n"
        "  --format csv|json   the export's format (default: csv)\n"
        "  -o, --output FILE   write the export to FILE instead of the output\n"
        "  --show              allow passwords to be printed to a terminal\n"
        "  --paper letter|a4   the report's paper (default: the locale's)\n"
        "  --landscape         the report in landscape orientation\n"
        "  --options LIST      the report's options\n"
        "  --entries N         the blood-pressure report's latest entries\n"
        "  --yes               restore for real instead of listing\n"
        "  --keep N            the complete dated backups backup all keeps\n"
        "  -h, --help          print this text\n"
        "\n"
        "Where the files are:\n"
        "  Halvorn keeps every log and setting in one folder: beside the program\n"
        "  when it runs from a folder it can write to (a build folder, a folder on\n"
        "  a stick), otherwise, when installed, in the user's data folder. Both\n"
        "  programs take --dir DIR to name another. Without --dir this one uses:\n"
        "    %1\n"
        "\n"
        "Backing them up:\n"
        "  Close Halvorn and copy that whole folder, or use the Backup and Restore\n"
        "  commands in each function's Utilities menu. Check a copy with\n"
        "  halvorn-data check --dir COPY.\n"
        "\n"
        "Exit status: 0 on success, 1 when a problem was found (a backup or\n"
        "restore with any file not copied), 2 on bad usage.\n")
        .arg(QDir::toNativeSeparators(m_defaultFolder));
}

int DataTool::run(const QStringList& arguments)
{
    m_outputFailure.clear();
    const int status = runCommand(arguments);
    // A listing or a report that did not reach its reader is no success.
    if (!m_outputFailure.isEmpty()) {
        problem(QStringLiteral("%1: %2").arg(StandardOutput, m_outputFailure));
        return status == BadUsage ? BadUsage : ProblemFound;
    }
    return status;
}

int DataTool::runCommand(const QStringList& arguments)
{
    Options options;
    if (!parse(arguments, options))
        return BadUsage;
    if (options.help) {
        print(m_out, usage());
        return Success;
    }
    if (options.positional.isEmpty())
        return usageError(QStringLiteral("no command given"));

    const QString command = options.positional.first();
    if (command != u"export" && (options.formatGiven || options.show))
        return usageError(QStringLiteral("--format and --show belong to export"));
    if (command != u"export" && command != u"report" && !options.output.isEmpty())
        return usageError(QStringLiteral("-o belongs to export and report"));
    if (command != u"report" && options.reportLayoutGiven)
        return usageError(
            QStringLiteral("--paper, --landscape, --options and --entries belong to report"));
    if (command != u"restore" && options.yes)
        return usageError(QStringLiteral("--yes belongs to restore"));
    if (command != u"backup" && options.keep)
        return usageError(QStringLiteral("--keep belongs to backup all"));
    if (options.format != u"csv" && options.format != u"json")
        return usageError(QStringLiteral("unknown format \"%1\"").arg(options.format));
    if (!QFileInfo(options.folder).isDir())
        return usageError(QStringLiteral("no folder %1").arg(options.folder));

    // The writing commands work under the lock the program holds while it
    // runs: a restore behind its back would be overwritten by its next save.
    // Every command that can take the lock first settles a backup or restore
    // left unfinished in the folder; the reading ones go on without it when
    // they cannot.
    const bool writes
        = command == u"import" || command == u"backup" || (command == u"restore" && options.yes);
    // A reading command takes the lock only when there is a run to settle:
    // otherwise it would write a lock file for every listing, and keep the
    // program from starting while it reads.
    DataFolderLock lock(options.folder);
    const bool locked = (writes || FileSetTransaction::hasUnfinishedRun(options.folder))
        && lock.acquire() == DataFolderLock::Outcome::Acquired;
    if (writes && !locked)
        return problem(lock.problem());
    if (locked) {
        DiskFileOperations files;
        const FileSetTransaction::RecoveryOutcome recovery
            = FileSetTransaction::recover(options.folder, files);
        if (!recovery.text.isEmpty())
            print(m_err, QStringLiteral("%1: %2\n").arg(ProgramName, recovery.text));
        if (writes && recovery.result == FileSetTransaction::Recovery::Failed)
            return ProblemFound;
    }

    if (command == u"list")
        return list(options);
    if (command == u"export")
        return exportDocument(options);
    if (command == u"import")
        return importRows(options);
    if (command == u"check")
        return check(options);
    if (command == u"report")
        return report(options);
    if (command == u"backups")
        return listBackups(options);
    if ((command == u"backup" || command == u"restore") && options.positional.size() >= 2
        && options.positional.at(1) == u"all")
        return command == u"backup" ? backupAll(options) : restoreAll(options);
    if (command == u"backup" || command == u"restore")
        return backupOrRestore(options);
    return usageError(QStringLiteral("unknown command \"%1\"").arg(command));
}

bool DataTool::parse(const QStringList& arguments, Options& options)
{
    options.folder = m_defaultFolder;
    bool onlyPositional = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (onlyPositional || argument == u"-" || !argument.startsWith(u'-')) {
            options.positional.append(argument);
            continue;
        }
        if (argument == u"--") {
            onlyPositional = true;
            continue;
        }
        if (argument == u"--help" || argument == u"-h") {
            options.help = true;
            continue;
        }
        if (argument == u"--show") {
            options.show = true;
            continue;
        }
        if (argument == u"--yes") {
            options.yes = true;
            continue;
        }
        if (argument == u"--landscape") {
            options.landscape = true;
            options.reportLayoutGiven = true;
            continue;
        }
        bool matched = false;
        QString error;
        if (!takeValue(arguments, i, QStringLiteral("--dir"), options.folder, matched, error)
            || (!matched
                && !takeValue(
                    arguments, i, QStringLiteral("--format"), options.format, matched, error))
            || (!matched
                && !takeValue(arguments, i, QStringLiteral("-o"), options.output, matched, error))
            || (!matched
                && !takeValue(
                    arguments, i, QStringLiteral("--output"), options.output, matched, error))
            || (!matched
                && !takeValue(
                    arguments, i, QStringLiteral("--paper"), options.paper, matched, error))) {
            usageError(error);
            return false;
        }
        if (!matched) {
            QString list;
            if (!takeValue(arguments, i, QStringLiteral("--options"), list, matched, error)) {
                usageError(error);
                return false;
            }
            if (matched)
                options.reportOptions = list;
        }
        if (!matched) {
            QString keep;
            if (!takeValue(arguments, i, QStringLiteral("--keep"), keep, matched, error)) {
                usageError(error);
                return false;
            }
            if (matched)
                options.keep = keep;
        }
        if (!matched) {
            QString entries;
            if (!takeValue(arguments, i, QStringLiteral("--entries"), entries, matched, error)) {
                usageError(error);
                return false;
            }
            if (matched)
                options.entries = entries;
        }
        if (!matched) {
            usageError(QStringLiteral("unknown option %1").arg(argument));
            return false;
        }
        if (argument.startsWith(u"--paper") || argument.startsWith(u"--options")
            || argument.startsWith(u"--entries"))
            options.reportLayoutGiven = true;
        if (argument.startsWith(u"--format"))
            options.formatGiven = true;
        if ((argument == u"-o" || argument.startsWith(u"--output")) && options.output.isEmpty()) {
            usageError(QStringLiteral("%1 needs a file name").arg(argument));
            return false;
        }
    }
    return true;
}

int DataTool::list(const Options& options)
{
    if (options.positional.size() != 2)
        return usageError(QStringLiteral("list takes one of weight, bp, passwords"));
    const ProgramFolder folder(options.folder);
    QString error;
    QStringList names;
    QList<FolderChecker::Problem> damage;
    switch (kindOf(options.positional.at(1))) {
    case Kind::Weight:
        names = WeightFile::LoadIndividualList(folder, &error).names();
        damage = FolderChecker::checkListFile(folder, FolderChecker::Tracker::Weight);
        break;
    case Kind::BloodPressure:
        names = BloodPressureFile::LoadBpIndividualList(folder, &error).names();
        damage = FolderChecker::checkListFile(folder, FolderChecker::Tracker::BloodPressure);
        break;
    case Kind::Passwords: {
        PasswordSnapshot snapshot;
        snapshot.load(folder, &error);
        for (const QString& item : snapshot.items())
            names.append(IndexItem(item).name());
        break;
    }
    case Kind::Unknown:
        return usageError(QStringLiteral("list takes one of weight, bp, passwords"));
    }
    if (!error.isEmpty())
        return problem(error);
    for (const QString& name : std::as_const(names))
        print(m_out, name + u'\n');
    // The names that could be read are listed; a damaged list is still no
    // success, since the names after the damage are lost.
    for (const FolderChecker::Problem& found : std::as_const(damage))
        problem(found.text());
    return damage.isEmpty() ? Success : ProblemFound;
}

int DataTool::exportDocument(const Options& options)
{
    const Kind kind
        = options.positional.size() >= 2 ? kindOf(options.positional.at(1)) : Kind::Unknown;
    const qsizetype expected = kind == Kind::Passwords ? 2 : 3;
    if (kind == Kind::Unknown || options.positional.size() != expected)
        return usageError(QStringLiteral("export takes weight NAME, bp NAME or passwords"));
    const ProgramFolder folder(options.folder);
    const bool json = options.format == u"json";
    QString error;

    if (kind == Kind::Passwords) {
        if (options.output.isEmpty() && m_outputIsTerminal && !options.show)
            return usageError(QStringLiteral(
                "refusing to print passwords to a terminal; give --show or -o FILE"));
        PasswordSnapshot snapshot;
        if (!snapshot.load(folder, &error))
            return problem(error);
        const PasswordExport document(snapshot);
        return deliver(
            options, json ? QJsonDocument(document.json()).toJson() : document.csv(), true);
    }

    int exitCode = Success;
    const std::optional<QString> listed
        = listedName(options, kind == Kind::Weight, options.positional.at(2), exitCode);
    if (!listed)
        return exitCode;

    QByteArray bytes;
    if (kind == Kind::Weight) {
        std::optional<WeightFile> file = WeightFile::LoadWeightFile(folder, *listed, &error);
        if (!file)
            return problem(error);
        const WeightExport document(std::move(*file));
        bytes = json ? QJsonDocument(document.json()).toJson() : document.csv();
    } else {
        std::optional<BloodPressureFile> file
            = BloodPressureFile::LoadBloodPressureFile(folder, *listed, &error);
        if (!file)
            return problem(error);
        const BloodPressureExport document(std::move(*file));
        bytes = json ? QJsonDocument(document.json()).toJson() : document.csv();
    }
    return deliver(options, bytes, false);
}

int DataTool::importRows(const Options& options)
{
    const Kind kind
        = options.positional.size() >= 2 ? kindOf(options.positional.at(1)) : Kind::Unknown;
    if ((kind != Kind::Weight && kind != Kind::BloodPressure) || options.positional.size() != 4)
        return usageError(QStringLiteral("import takes weight or bp, a NAME and a FILE.csv"));
    const QString name = options.positional.at(2);
    const QString csvPath = options.positional.at(3);
    QFile csvFile(csvPath);
    if (!csvFile.open(QIODevice::ReadOnly))
        return problem(QStringLiteral("%1: %2").arg(csvPath, csvFile.errorString()));
    const QByteArray csv = csvFile.readAll();
    csvFile.close();

    const ProgramFolder folder(options.folder);
    const DataImporter::Result result = kind == Kind::Weight
        ? DataImporter::importWeight(folder, name, csv)
        : DataImporter::importBloodPressure(folder, name, csv);
    if (!result.ok) {
        if (!result.error.isEmpty())
            print(m_err, QStringLiteral("%1: %2: %3\n").arg(ProgramName, csvPath, result.error));
        if (!result.targetError.isEmpty())
            print(m_err, QStringLiteral("%1: %2\n").arg(ProgramName, result.targetError));
        for (const DataImporter::RowError& row : result.rowErrors)
            print(m_err,
                QStringLiteral("%1: %2: line %3: %4\n")
                    .arg(ProgramName, csvPath)
                    .arg(row.line)
                    .arg(row.reason));
        print(m_err, QStringLiteral("%1: nothing was imported\n").arg(ProgramName));
        return ProblemFound;
    }
    const QString target
        = kind == Kind::Weight ? QStringLiteral("weight") : QStringLiteral("blood-pressure");
    print(m_out,
        QStringLiteral("Added %1 %2 to the %3 file of %4%5.\n")
            .arg(result.rowsAdded)
            .arg(result.rowsAdded == 1 ? QStringLiteral("row") : QStringLiteral("rows"))
            .arg(target, name.trimmed(),
                result.individualCreated ? QStringLiteral(", a new individual") : QString()));
    return Success;
}

int DataTool::check(const Options& options)
{
    if (options.positional.size() != 1)
        return usageError(QStringLiteral("check takes no arguments"));
    QList<FolderChecker::Problem> found = FolderChecker::check(ProgramFolder(options.folder));
    // The damage first, then the notes, each group in the order found.
    const auto notesBegin = std::stable_partition(found.begin(), found.end(),
        [](const FolderChecker::Problem& problem) { return problem.isDamage(); });
    const qsizetype damage = notesBegin - found.begin();
    const qsizetype notes = found.size() - damage;
    for (const FolderChecker::Problem& problem : std::as_const(found))
        print(m_out, problem.text() + u'\n');
    if (damage == 0) {
        print(m_out,
            notes == 0 ? QStringLiteral("No problems found.\n")
                       : QStringLiteral("No problems found; %1 %2.\n")
                             .arg(notes)
                             .arg(notes == 1 ? QStringLiteral("note") : QStringLiteral("notes")));
        return Success;
    }
    print(m_err,
        QStringLiteral("%1: %2 %3 found in %4\n")
            .arg(ProgramName)
            .arg(damage)
            .arg(damage == 1 ? QStringLiteral("problem") : QStringLiteral("problems"))
            .arg(QDir::toNativeSeparators(options.folder)));
    return ProblemFound;
}

std::optional<QString> DataTool::listedName(
    const Options& options, bool weight, const QString& name, int& exitCode)
{
    const ProgramFolder folder(options.folder);
    QString error;
    const IndividualList list = weight ? WeightFile::LoadIndividualList(folder, &error)
                                       : BloodPressureFile::LoadBpIndividualList(folder, &error);
    if (!error.isEmpty()) {
        exitCode = problem(error);
        return std::nullopt;
    }
    const qsizetype listed = list.indexOf(name);
    if (listed < 0) {
        exitCode = problem(
            QStringLiteral("%1: no individual named \"%2\"").arg(list.listFileName(), name));
        return std::nullopt;
    }
    return list.at(listed);
}

namespace {

// The report options halvorn-data can tick, by function.
QStringList reportOptionNames(Kind kind)
{
    if (kind == Kind::Weight)
        return { QStringLiteral("graph"), QStringLiteral("plan"), QStringLiteral("data"),
            QStringLiteral("beginning-picture"), QStringLiteral("current-picture"),
            QStringLiteral("border-lines"), QStringLiteral("divider-lines") };
    if (kind == Kind::BloodPressure)
        return { QStringLiteral("graph"), QStringLiteral("border-lines"),
            QStringLiteral("divider-lines") };
    return {};
}

// "All" or one of the screen's choices of the number of entries.
std::optional<int> entryCountOf(const QString& text)
{
    if (text.compare(QStringLiteral("all"), Qt::CaseInsensitive) == 0)
        return 0;
    bool ok = false;
    const int count = text.toInt(&ok);
    if (ok
        && std::find(
               std::begin(PrintEntryCount::Choices), std::end(PrintEntryCount::Choices), count)
            != std::end(PrintEntryCount::Choices))
        return count;
    return std::nullopt;
}

} // namespace

int DataTool::report(const Options& options)
{
    const Kind kind
        = options.positional.size() == 3 ? kindOf(options.positional.at(1)) : Kind::Unknown;
    if (kind == Kind::Unknown)
        return usageError(QStringLiteral("report takes one of weight, bp, passwords and a NAME"));
    if (options.output.isEmpty())
        return usageError(QStringLiteral("report needs -o FILE.pdf"));
    const QString paper = options.paper.toLower();
    if (!paper.isEmpty() && paper != u"letter" && paper != u"a4")
        return usageError(QStringLiteral("unknown paper \"%1\"").arg(options.paper));
    if (kind == Kind::Passwords && options.reportOptions)
        return usageError(QStringLiteral("report passwords has no --options"));
    if (kind != Kind::BloodPressure && options.entries)
        return usageError(QStringLiteral("--entries belongs to report bp"));
    int entries = 0;
    if (options.entries) {
        const std::optional<int> count = entryCountOf(options.entries->trimmed());
        if (!count)
            return usageError(
                QStringLiteral("--entries takes All, 5, 10, 15, 20, 30, 45, 60 or 90, not \"%1\"")
                    .arg(*options.entries));
        entries = *count;
    }
    std::optional<QStringList> ticked;
    if (options.reportOptions) {
        const QStringList known = reportOptionNames(kind);
        ticked = options.reportOptions->split(u',', Qt::SkipEmptyParts);
        for (QString& option : *ticked) {
            option = option.trimmed().toLower();
            if (option != u"none" && !known.contains(option))
                return usageError(QStringLiteral("unknown report option \"%1\"").arg(option));
        }
        ticked->removeAll(QStringLiteral("none"));
    }
    if (overwritesProgramFile(options))
        return usageError(
            QStringLiteral("%1 would overwrite a file of the program folder").arg(options.output));
    if (!m_reports)
        return problem(QStringLiteral("reports cannot be written here"));

    int exitCode = Success;
    // A password entry is found by the writer, which reads the entries.
    std::optional<QString> name = options.positional.at(2);
    if (kind != Kind::Passwords)
        name = listedName(options, kind == Kind::Weight, *name, exitCode);
    if (!name)
        return exitCode;
    QString error;
    const ReportWriter::Request request { options.folder, *name, options.output, paper,
        options.landscape, ticked, entries };
    const bool written = kind == Kind::Weight ? m_reports->writeWeightReport(request, &error)
        : kind == Kind::BloodPressure         ? m_reports->writeBloodPressureReport(request, &error)
                                              : m_reports->writePasswordReport(request, &error);
    if (!written)
        return problem(QStringLiteral("%1: %2").arg(options.output, error));
    return Success;
}

int DataTool::backupOrRestore(const Options& options)
{
    const bool restore = options.positional.first() == u"restore";
    if (options.keep)
        return usageError(QStringLiteral("--keep belongs to backup all"));
    const Kind kind
        = options.positional.size() >= 2 ? kindOf(options.positional.at(1)) : Kind::Unknown;
    if (kind == Kind::Unknown || options.positional.size() != 3)
        return usageError(QStringLiteral("%1 takes one of weight, bp, passwords and a DIR")
                              .arg(options.positional.first()));
    const BackupKind backupKind = kind == Kind::Passwords ? BackupKind::PasswordBackup
        : kind == Kind::Weight                            ? BackupKind::WeightBackup
                                                          : BackupKind::BloodPressureBackup;
    const BackupFileSet& set = *ProgramBackupSets::all().forKind(backupKind);
    const QString folder = QDir(options.positional.at(2)).absolutePath();
    if (restore ? !QFileInfo(folder).isDir() : !QDir().mkpath(folder))
        return restore
            ? usageError(QStringLiteral("no folder %1").arg(options.positional.at(2)))
            : problem(QStringLiteral("%1: cannot create the folder").arg(options.positional.at(2)));
    const QString targetPath = BackupTarget::targetPath(folder);
    if (restore && !options.yes)
        return listRestorePlan(set.restoreKind, options.folder, targetPath);

    UnattendedBackupRun side(m_out, m_err, ProgramName);
    DiskFileOperations files;
    BackupEngine engine(
        { ProgramFolder(QDir(options.folder).absolutePath()), side, side, side, files,
            ProgramBackupSets::all() });
    const BackupOutcome outcome = restore
        ? engine.restore(set.restoreKind, targetPath)
        : engine.backup(set.backupKind, targetPath, QDir::toNativeSeparators(folder));
    if (!side.statusText().isEmpty())
        print(m_out,
            QStringLiteral("%1 (%2 of %3 copied)\n")
                .arg(side.statusText())
                .arg(outcome.copied.size())
                .arg(set.setName));
    return outcome.completed() ? Success : ProblemFound;
}

int DataTool::backupAll(const Options& options)
{
    if (options.positional.size() > 3)
        return usageError(QStringLiteral("backup all takes at most a DIR"));
    if (options.yes)
        return usageError(QStringLiteral("--yes belongs to restore"));
    const ProgramFolder programFolder(QDir(options.folder).absolutePath());
    const ProgramSettings settings(programFolder);
    int keep = settings.backupsKept();
    if (options.keep) {
        bool ok = false;
        keep = options.keep->toInt(&ok);
        if (!ok || keep < 1 || keep > ProgramSettings::MaximumBackupsKept)
            return usageError(QStringLiteral("--keep takes a number from 1 to %1, not \"%2\"")
                                  .arg(ProgramSettings::MaximumBackupsKept)
                                  .arg(*options.keep));
    }
    const QString parent
        = options.positional.size() == 3 ? options.positional.at(2) : settings.backupFolder();
    if (parent.isEmpty())
        return problem(QStringLiteral("no backup folder: give DIR, or choose one in Halvorn's "
                                      "Backup Settings"));
    DiskFileOperations files;
    FullBackup backup(programFolder, files, ProgramBackupSets::all());
    const FullBackup::Outcome outcome
        = backup.run(QDir(parent).absolutePath(), QDateTime::currentDateTime(), keep);
    if (!outcome.completed)
        return problem(outcome.failure);
    for (const QString& note : outcome.notes)
        print(m_err, QStringLiteral("%1: not backed up: %2\n").arg(ProgramName, note));
    for (const QString& name : outcome.removed)
        print(m_out, QStringLiteral("removed %1\n").arg(name));
    for (const QString& note : outcome.keepingNotes)
        print(m_err, QStringLiteral("%1: %2\n").arg(ProgramName, note));
    print(m_out,
        QStringLiteral("Backed up %1 files into %2\n")
            .arg(outcome.copied.size())
            .arg(QDir::toNativeSeparators(outcome.folder)));
    return outcome.notes.isEmpty() ? Success : ProblemFound;
}

int DataTool::listBackups(const Options& options)
{
    if (options.positional.size() != 2)
        return usageError(QStringLiteral("backups takes a DIR"));
    const QString parent = options.positional.at(1);
    if (!QFileInfo(parent).isDir())
        return usageError(QStringLiteral("no folder %1").arg(parent));
    DiskFileOperations files;
    const QList<DatedBackups::Entry> entries = DatedBackups::list(parent, files);
    if (entries.isEmpty()) {
        print(m_out,
            QStringLiteral("No dated backups in %1\n").arg(QDir::toNativeSeparators(parent)));
        return Success;
    }
    for (const DatedBackups::Entry& entry : entries) {
        const QString state = entry.state == DatedBackups::State::Complete
            ? QStringLiteral("complete")
            : entry.state == DatedBackups::State::Unfinished ? QStringLiteral("unfinished")
                                                             : QStringLiteral("damaged");
        print(m_out,
            QStringLiteral("%1\t%2\t%3\t%4 bytes%5\n")
                .arg(entry.name, state, entry.made.toString(QStringLiteral("yyyy-MM-dd HH:mm")))
                .arg(entry.size)
                .arg(entry.problem.isEmpty() ? QString() : QStringLiteral("\t") + entry.problem));
    }
    return Success;
}

int DataTool::restoreAll(const Options& options)
{
    if (options.positional.size() != 3)
        return usageError(QStringLiteral("restore all takes a dated folder DIR/DATED"));
    const QString folder = QDir(options.positional.at(2)).absolutePath();
    if (!QFileInfo(folder).isDir())
        return usageError(QStringLiteral("no folder %1").arg(options.positional.at(2)));
    const ProgramFolder programFolder(QDir(options.folder).absolutePath());
    DiskFileOperations files;
    FullRestore restore(programFolder, files, ProgramBackupSets::all());
    const FullRestore::Result result = options.yes ? restore.run(folder) : restore.plan(folder);
    if (!result.refusal.isEmpty())
        return problem(result.refusal);
    for (const QString& line : result.damaged)
        print(m_out, QStringLiteral("damaged: %1\n").arg(line));
    if (!result.damaged.isEmpty()) {
        print(m_out,
            QStringLiteral("Nothing %1 restored: the backup is damaged. Nothing was changed.\n")
                .arg(options.yes ? QStringLiteral("was") : QStringLiteral("would be")));
        return ProblemFound;
    }
    if (!result.failure.isEmpty())
        return problem(result.failure);
    for (const BackupFileSet::FilePair& pair : result.files) {
        const QString verb = options.yes          ? QStringLiteral("restored")
            : programFolder.exists(pair.liveName) ? QStringLiteral("would replace")
                                                  : QStringLiteral("would create");
        print(m_out, QStringLiteral("%1 %2 from %3\n").arg(verb, pair.liveName, pair.backupName));
    }
    for (const QString& line : result.notes)
        print(m_out, QStringLiteral("not restored: %1\n").arg(line));
    print(m_out,
        options.yes ? QStringLiteral("Restoration Completed (%1 files)\n").arg(result.files.size())
                    : QStringLiteral("Nothing was changed; give --yes to restore.\n"));
    return result.notes.isEmpty() ? Success : ProblemFound;
}

int DataTool::listRestorePlan(BackupKind kind, const QString& folder, const QString& targetPath)
{
    UnattendedBackupRun side(m_out, m_err, ProgramName);
    DiskFileOperations files;
    const ProgramFolder programFolder(QDir(folder).absolutePath());
    BackupEngine engine({ programFolder, side, side, side, files, ProgramBackupSets::all() });
    if (BackupTarget::isProgramFolder(targetPath, programFolder))
        return problem(QStringLiteral("%1 is the program folder itself")
                           .arg(QDir::toNativeSeparators(targetPath)));
    const BackupEngine::RestorePlan plan = engine.restorePlan(kind, targetPath);
    for (const QString& line : plan.damaged)
        print(m_out, QStringLiteral("damaged: %1\n").arg(line));
    if (!plan.damaged.isEmpty()) {
        print(m_out,
            QStringLiteral("Nothing would be restored: the backup is damaged. Nothing was "
                           "changed.\n"));
        return ProblemFound;
    }
    for (const BackupFileSet::FilePair& files : plan.files)
        print(m_out,
            QStringLiteral("%1 %2 from %3\n")
                .arg(programFolder.exists(files.liveName) ? QStringLiteral("would replace")
                                                          : QStringLiteral("would create"),
                    files.liveName, files.backupName));
    for (const QString& line : plan.missing)
        print(m_out, QStringLiteral("not restored: %1\n").arg(line));
    print(m_out, QStringLiteral("Nothing was changed; give --yes to restore.\n"));
    return plan.files.isEmpty() || !plan.missing.isEmpty() ? ProblemFound : Success;
}

int DataTool::usageError(const QString& message)
{
    print(m_err, QStringLiteral("%1: %2 (see %1 --help)\n").arg(ProgramName, message));
    return BadUsage;
}

int DataTool::problem(const QString& message)
{
    print(m_err, QStringLiteral("%1: %2\n").arg(ProgramName, message));
    return ProblemFound;
}

int DataTool::deliver(const Options& options, const QByteArray& bytes, bool secret)
{
    if (options.output.isEmpty()) {
        if (const Outcome outcome = FileWriting::writeAll(m_out, StandardOutput, bytes);
            !outcome.succeeded)
            return problem(QStringLiteral("%1: %2").arg(outcome.fileName, outcome.reason));
        return Success;
    }
    if (overwritesProgramFile(options))
        return usageError(
            QStringLiteral("%1 would overwrite a file of the program folder").arg(options.output));
    const Outcome outcome = FileWriting::replaceFile(options.output, bytes,
        secret ? std::optional(QFileDevice::ReadOwner | QFileDevice::WriteOwner) : std::nullopt);
    if (!outcome.succeeded)
        return problem(
            QStringLiteral("%1 could not be written: %2").arg(options.output, outcome.reason));
    return Success;
}

bool DataTool::overwritesProgramFile(const Options& options) const
{
    // An export written over one of the program's own files would destroy
    // the data it came from, whatever path leads there.
    return BackupTarget::isInProgramFolder(options.output, ProgramFolder(options.folder));
}

void DataTool::print(QIODevice& device, const QString& line)
{
    const Outcome outcome = FileWriting::writeAll(device, QString(), line.toUtf8());
    if (!outcome.succeeded && &device == &m_out && m_outputFailure.isEmpty())
        m_outputFailure = outcome.reason;
}
