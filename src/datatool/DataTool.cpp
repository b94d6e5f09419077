#include "DataTool.h"

#include "BackupAllCommand.h"
#include "BackupCommand.h"
#include "BackupsCommand.h"
#include "BloodPressureStatsCommand.h"
#include "CheckCommand.h"
#include "DataToolCommandLine.h"
#include "ExportCommand.h"
#include "ImportCommand.h"
#include "ListCommand.h"
#include "PasswordsCommand.h"
#include "ReportCommand.h"
#include "RestoreAllCommand.h"
#include "WeightSettingsCommand.h"
#include "WeightStatsCommand.h"
#include "backup/DiskFileOperations.h"
#include "backup/FileSetTransaction.h"
#include "passwords/KeeperLeftovers.h"
#include "storage/DataFolderLock.h"
#include "storage/LeftoverFiles.h"

#include <QDir>
#include <QFileInfo>

#include <utility>

DataTool::DataTool(QIODevice& out, QIODevice& err, bool outputIsTerminal, QString defaultFolder,
    ReportWriter* reports)
    : m_output(out, err)
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
        "  stats weight NAME [--format text|json]\n"
        "      Weigh-ins, first and last, the trend weight and its weekly rate,\n"
        "      the goal's projected date (only while the goal is ahead and the\n"
        "      date after today; the JSON's goal_state says why it is null),\n"
        "      weekly (ISO week) and monthly averages, and the BMI when a height\n"
        "      is set. JSON numbers are rounded to 4 decimals.\n"
        "  stats bp NAME [--guideline own|acc-aha|esh|esc] [--format text|json]\n"
        "      The figures for the doctor: readings, minimum, average and\n"
        "      maximum, morning and evening averages, the home-monitoring week\n"
        "      and the readings in each category of the guideline (default: the\n"
        "      one chosen in Halvorn). The text rounds averages as the screen\n"
        "      does; the JSON gives them to 4 decimals.\n"
        "  set weight NAME --unit lb|kg [--convert|--relabel] [--stones on|off]\n"
        "         [--height N]\n"
        "      The unit NAME's weights are in, stones beside pounds, and the\n"
        "      height (inches with lb, centimetres with kg; 0 removes it), kept\n"
        "      in Halvorn.ini. Until a unit is chosen the weights are plain\n"
        "      numbers. When NAME has weigh-ins and the unit changes, say which:\n"
        "      --convert rewrites the weights (and the beginning and goal) in the\n"
        "      new unit, rounded to a tenth; --relabel keeps them as typed.\n"
        "      Refused while Halvorn has the folder open.\n"
        "  import weight|bp NAME FILE [--from FORMAT] [--all-readings] [--dry-run]\n"
        "         [--skip-refused] [--map FIELD=HEADING]... [--date-order ymd|dmy|mdy]\n"
        "         [--unit lb|kg]\n"
        "      Imports an export into NAME's file, creating NAME when it is not\n"
        "      listed. The format is found from the file unless --from names it:\n"
        "      openscale, withings (weight.csv, bp.csv), garmin, samsung, apple\n"
        "      (export.xml), csv and json (this tool's own exports, taken whole\n"
        "      with the values as stored), mapped (a plain CSV). Other programs'\n"
        "      weights are converted into NAME's unit and rounded to a tenth, and\n"
        "      only the first weigh-in of a day is kept unless --all-readings is\n"
        "      given. Rows already in the log are skipped and counted. When any\n"
        "      row is refused nothing is written unless --skip-refused is given,\n"
        "      and every refused row is reported with its line. --dry-run prints\n"
        "      what would be added, skipped and refused. A file that check finds\n"
        "      damaged is not imported into. Refused while Halvorn has the folder\n"
        "      open.\n"
        "      With --from mapped, --map names the column of each field by its\n"
        "      heading (fields: date, time, weight, systolic, diastolic, pulse;\n"
        "      weight needs date and weight, bp date, systolic and diastolic);\n"
        "      dates are three numbers in the --date-order (default ymd)\n"
        "      separated by - . or /, with the time after them or in a time\n"
        "      column; --unit gives the weights' unit (default: NAME's).\n"
        "  import passwords FILE [--from keepassxc|bitwarden|browser] [--cut]\n"
        "         [--include-deleted] [--skip-refused]\n"
        "      Adds the entries of another password manager's export: KeePassXC's\n"
        "      CSV, Bitwarden's unencrypted JSON or a browser's CSV (found from\n"
        "      the file unless --from names it). An entry's name is its web\n"
        "      address, or its title when it has none; what the keeper has no box\n"
        "      for (one-time-password keys, further addresses, custom fields)\n"
        "      follows the notes in the comment, a labelled line each. An entry\n"
        "      is skipped only when one with the same name, sign-on and password\n"
        "      is already listed or earlier in the file. KeePassXC's Recycle Bin\n"
        "      is left out unless --include-deleted is given. A field longer than\n"
        "      the keeper takes refuses its entry unless --cut is given; a\n"
        "      password is never cut. When any entry is refused nothing is\n"
        "      written unless --skip-refused is given. The entries are added in\n"
        "      one save. Refused while Halvorn has the folder open.\n"
        "  check\n"
        "      Reports what is wrong with the folder's files: damage, which is a\n"
        "      problem, and notes on typed values that give no figures.\n"
        "  check passwords --health\n"
        "      Lists the password entries that are weak, share their password\n"
        "      with another entry or have a web address that is not https, each\n"
        "      with its reasons; exit status 1 when any is listed.\n"
        "  report weight NAME -o FILE.pdf [--paper letter|a4] [--landscape]\n"
        "         [--options LIST]\n"
        "      The Weight Tracker's printed report as a PDF, in the stored print\n"
        "      font and size. LIST names the report options to tick, separated\n"
        "      by commas: graph, plan, data, beginning-picture, current-picture,\n"
        "      border-lines, divider-lines, or none (default: graph,plan,data).\n"
        "  report bp NAME -o FILE.pdf [--entries All|5|10|15|20|30|45|60|90]\n"
        "         [--paper letter|a4] [--landscape] [--options LIST]\n"
        "         [--guideline own|acc-aha|esh|esc]\n"
        "      The Blood Pressure Tracker's printed report as a PDF, in the stored\n"
        "      print font and size: the latest entries (default: All). LIST:\n"
        "      graph, border-lines, divider-lines, summary, or none (default:\n"
        "      graph). The categories are the guideline's (default: the one\n"
        "      chosen in Halvorn).\n"
        "  report passwords NAME -o FILE.pdf [--paper letter|a4] [--landscape]\n"
        "      The Password Keeper's printout of the entry named NAME, in Times\n"
        "      New Roman 12. The PDF holds the password in clear text and is\n"
        "      readable by its owner only.\n"
        "  backup weight|bp|passwords DIR\n"
        "      Copies the function's files into DIR (created when missing) under\n"
        "      their backup names and checks each copy; only then do they replace\n"
        "      an earlier backup there, all at once. Prints each file copied.\n"
        "      Refused while Halvorn has the folder open.\n"
        "  restore weight|bp|passwords DIR [--yes|--dry-run]\n"
        "      Lists the program files a restore from DIR would replace; with\n"
        "      --yes restores them. The backup is first read with the checks of\n"
        "      check: a damaged backup is refused whole. The files are replaced\n"
        "      all at once by checked copies (a run cut short is finished or\n"
        "      undone by the next command), and a file the backup lacks keeps\n"
        "      its program copy. Before any file is replaced, the function's\n"
        "      files are saved in a dated backup of their own (\"Halvorn\n"
        "      2026-12-10 0930 before restore\", in the backup folder of Backup\n"
        "      Settings, else beside DIR's backup, else in \"Halvorn safety\n"
        "      backups\" beside the program folder), whose path is printed:\n"
        "      restore all of it undoes the restore. --dry-run prints what the\n"
        "      restore would lose, function by function, and writes nothing.\n"
        "      --yes is refused while Halvorn has the folder open.\n"
        "  backup all [DIR] [--keep N]\n"
        "      Copies everything, the three functions' files and the settings,\n"
        "      into a new dated folder inside DIR (\"Halvorn 2026-12-10 0930\"),\n"
        "      checks each copy and writes a manifest last; then removes the\n"
        "      oldest complete dated folders beyond N (default: the number set\n"
        "      in Halvorn, 10) and any unfinished one. Without DIR it uses the\n"
        "      backup folder chosen in Halvorn's Backup Settings. Refused while\n"
        "      Halvorn has the folder open.\n"
        "  passwords protect|unprotect|change-master\n"
        "      Protects the Password Keeper with a master password (its files are\n"
        "      then kept encrypted in Secvault.vlt), removes the protection, or\n"
        "      changes the master password. Passwords are read from the terminal\n"
        "      without echo or, when standard input is not a terminal, one per\n"
        "      line (change-master: the old one, then the new one). list, export\n"
        "      and report ask for the master password of a protected keeper the\n"
        "      same way. A wrong password changes nothing (exit 1). Refused while\n"
        "      Halvorn has the folder open.\n"
        "  backups DIR\n"
        "      Lists the dated folders in DIR, oldest first, with their state\n"
        "      (complete, unfinished, damaged), date and size, and below each,\n"
        "      indented, what it holds: the people of each tracker with their\n"
        "      rows and the last date, the keeper's entries (or \"protected\"\n"
        "      and its size), or \"details unknown\" for an older backup.\n"
        "  restore all DIR/DATED [--yes|--dry-run]\n"
        "      Lists what restoring everything from a dated folder would\n"
        "      replace; with --yes restores the three functions' files and the\n"
        "      settings all at once, after checking every file against the\n"
        "      manifest. An unfinished or damaged backup is refused whole. The\n"
        "      files it replaces are first saved as with restore, and the path\n"
        "      of that backup is printed. --dry-run prints what it would lose.\n"
        "\n"
        "Options:\n"
        "  --dir DIR           the folder of Halvorn's files (default: below)\n"
        "  --format csv|json   the export's format (default: csv); stats:\n"
        "                      text|json (default: text)\n"
        "  --guideline NAME    the blood-pressure guideline: own, acc-aha, esh, esc\n"
        "  -o, --output FILE   write the export to FILE instead of the output\n"
        "  --show              allow passwords to be printed to a terminal\n"
        "  --paper letter|a4   the report's paper (default: the locale's)\n"
        "  --landscape         the report in landscape orientation\n"
        "  --options LIST      the report's options\n"
        "  --entries N         the blood-pressure report's latest entries\n"
        "  --yes               restore for real instead of listing\n"
        "  --dry-run           restore: print what would be lost, write nothing\n"
        "  --keep N            the complete dated backups backup all keeps\n"
        "  --from FORMAT       the password export's format: keepassxc,\n"
        "                      bitwarden or browser\n"
        "  --cut               cut fields longer than the password keeper takes\n"
        "  --include-deleted   import the entries of KeePassXC's Recycle Bin too\n"
        "  --skip-refused      import the rest when some lines or entries are\n"
        "                      refused\n"
        "  --health            list weak, reused and unencrypted passwords\n"
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
    m_output.clearFailure();
    const int status = runCommand(arguments);
    // A listing or a report that did not reach its reader is no success.
    if (!m_output.failure().isEmpty()) {
        m_output.problem(
            QStringLiteral("%1: %2").arg(DataToolOutput::StandardOutput, m_output.failure()));
        return status == BadUsage ? BadUsage : ProblemFound;
    }
    return status;
}

int DataTool::runCommand(const QStringList& arguments)
{
    QString error;
    const std::optional<DataToolOptions> parsed
        = DataToolCommandLine().parse(arguments, m_defaultFolder, error);
    if (!parsed)
        return m_output.usageError(error);
    const DataToolOptions& options = *parsed;
    if (options.help) {
        m_output.print(m_output.out(), usage());
        return Success;
    }
    if (options.positional.isEmpty())
        return m_output.usageError(QStringLiteral("no command given"));

    const QString command = options.positional.first();
    // stats takes --format text|json and checks it itself.
    const bool stats = command == u"stats";
    if (command != u"export" && !stats && (options.formatGiven || options.show))
        return m_output.usageError(QStringLiteral("--format and --show belong to export"));
    if (command != u"export" && command != u"report" && !options.output.isEmpty())
        return m_output.usageError(QStringLiteral("-o belongs to export and report"));
    if (command != u"report" && options.reportLayoutGiven)
        return m_output.usageError(
            QStringLiteral("--paper, --landscape, --options and --entries belong to report"));
    if (command != u"restore" && options.yes)
        return m_output.usageError(QStringLiteral("--yes belongs to restore"));
    if (command != u"backup" && options.keep)
        return m_output.usageError(QStringLiteral("--keep belongs to backup all"));
    const bool importsLog = command == u"import"
        && (options.kindAt(1) == DataToolOptions::Kind::Weight
            || options.kindAt(1) == DataToolOptions::Kind::BloodPressure);
    const bool importsPasswords
        = command == u"import" && options.kindAt(1) == DataToolOptions::Kind::Passwords;
    if (!importsPasswords
        && (options.cut || options.includeDeleted || (options.from && !importsLog)))
        return m_output.usageError(
            QStringLiteral("--from, --cut and --include-deleted belong to import passwords "
                           "(--from also to import weight and bp)"));
    if (!importsLog && command != u"restore" && options.dryRun)
        return m_output.usageError(
            QStringLiteral("--dry-run belongs to import weight and bp and to restore"));
    if (options.dryRun && options.yes)
        return m_output.usageError(QStringLiteral("--dry-run writes nothing; --yes restores"));
    if (!importsLog && options.allReadings)
        return m_output.usageError(
            QStringLiteral("--all-readings belongs to import weight and bp"));
    if (!importsLog && !importsPasswords && options.skipRefused)
        return m_output.usageError(QStringLiteral("--skip-refused belongs to import"));
    if ((command != u"check" || options.kindAt(1) != DataToolOptions::Kind::Passwords)
        && options.health)
        return m_output.usageError(QStringLiteral("--health belongs to check passwords"));
    if (!stats
        && (command != u"report" || options.kindAt(1) != DataToolOptions::Kind::BloodPressure)
        && options.guideline)
        return m_output.usageError(QStringLiteral("--guideline belongs to stats bp and report bp"));
    if (!importsLog && (!options.maps.isEmpty() || options.dateOrder))
        return m_output.usageError(
            QStringLiteral("--map and --date-order belong to import weight and bp"));
    if (command != u"set"
        && ((options.unit && !importsLog) || options.stones || options.height || options.convert
            || options.relabel))
        return m_output.usageError(
            QStringLiteral("--unit, --stones, --height, --convert and --relabel belong to set "
                           "(--unit also to import weight --from mapped)"));
    if (!stats && options.format != u"csv" && options.format != u"json")
        return m_output.usageError(QStringLiteral("unknown format \"%1\"").arg(options.format));
    if (!QFileInfo(options.folder).isDir())
        return m_output.usageError(QStringLiteral("no folder %1").arg(options.folder));

    // The writing commands work under the lock the program holds while it
    // runs: a restore behind its back would be overwritten by its next save.
    // Every command that can take the lock first settles a backup or restore
    // left unfinished in the folder; the reading ones go on without it when
    // they cannot.
    const bool writes = (command == u"import" && !options.dryRun) || command == u"backup"
        || command == u"passwords" || (command == u"restore" && options.yes) || command == u"set";
    // A reading command takes the lock only when there is a run or a
    // leftover of one to settle:
    // otherwise it would write a lock file for every listing, and keep the
    // program from starting while it reads.
    DataFolderLock lock(options.folder);
    const bool locked = (writes || FileSetTransaction::hasUnfinishedRun(options.folder)
                            || !LeftoverFiles::find(options.folder).isEmpty())
        && lock.acquire() == DataFolderLock::Outcome::Acquired;
    if (writes && !locked)
        return m_output.problem(lock.problem());
    if (locked) {
        if (!lock.note().isEmpty())
            m_output.problem(lock.note());
        DiskFileOperations files;
        const FileSetTransaction::RecoveryOutcome recovery
            = FileSetTransaction::recover(options.folder, files);
        if (!recovery.text.isEmpty())
            m_output.problem(recovery.text);
        if (writes && recovery.result == FileSetTransaction::Recovery::Failed)
            return ProblemFound;
        for (const QString& removed : LeftoverFiles::removeAll(options.folder))
            m_output.problem(removed);
        for (const QString& kept : KeeperLeftovers::remove(ProgramFolder(options.folder)))
            m_output.problem(QStringLiteral("%1 could not be deleted: it is a copy of the "
                                            "Password Keeper a save cut short left behind")
                                 .arg(kept));
    }

    const std::unique_ptr<DataToolCommand> named = commandFor(options);
    if (!named)
        return m_output.usageError(QStringLiteral("unknown command \"%1\"").arg(command));
    return named->run(options);
}

std::unique_ptr<DataToolCommand> DataTool::commandFor(const DataToolOptions& options)
{
    const QString& command = options.positional.first();
    const bool all = options.positional.value(1) == u"all";
    if (command == u"list")
        return std::make_unique<ListCommand>(m_output);
    if (command == u"export")
        return std::make_unique<ExportCommand>(m_output, m_outputIsTerminal);
    if (command == u"import")
        return std::make_unique<ImportCommand>(m_output);
    if (command == u"check")
        return std::make_unique<CheckCommand>(m_output);
    if (command == u"report")
        return std::make_unique<ReportCommand>(m_output, m_reports);
    if (command == u"stats" && options.kindAt(1) == DataToolOptions::Kind::BloodPressure)
        return std::make_unique<BloodPressureStatsCommand>(m_output);
    if (command == u"backups")
        return std::make_unique<BackupsCommand>(m_output);
    if (command == u"passwords")
        return std::make_unique<PasswordsCommand>(m_output);
    if (command == u"backup" && all)
        return std::make_unique<BackupAllCommand>(m_output);
    if (command == u"restore" && all)
        return std::make_unique<RestoreAllCommand>(m_output);
    if (command == u"backup" || command == u"restore")
        return std::make_unique<BackupCommand>(m_output);
    if (command == u"stats" && options.kindAt(1) == DataToolOptions::Kind::Weight)
        return std::make_unique<WeightStatsCommand>(m_output);
    if (command == u"set" && options.kindAt(1) == DataToolOptions::Kind::Weight)
        return std::make_unique<WeightSettingsCommand>(m_output);
    return nullptr;
}
