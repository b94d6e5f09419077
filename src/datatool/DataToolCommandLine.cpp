#include "DataToolCommandLine.h"

#include "DataToolOutput.h"

namespace {

// The usage text describes the options; the parser never prints them.
QCommandLineOption valueOption(const QStringList& names, const QString& valueName)
{
    return QCommandLineOption(names, QString(), valueName);
}

QCommandLineOption flagOption(const QStringList& names)
{
    return QCommandLineOption(names, QString());
}

} // namespace

DataToolCommandLine::DataToolCommandLine()
    : m_dir(valueOption({ QStringLiteral("dir") }, QStringLiteral("DIR")))
    , m_format(valueOption({ QStringLiteral("format") }, QStringLiteral("csv|json")))
    , m_output(
          valueOption({ QStringLiteral("o"), QStringLiteral("output") }, QStringLiteral("FILE")))
    , m_show(flagOption({ QStringLiteral("show") }))
    , m_paper(valueOption({ QStringLiteral("paper") }, QStringLiteral("letter|a4")))
    , m_landscape(flagOption({ QStringLiteral("landscape") }))
    , m_reportOptions(valueOption({ QStringLiteral("options") }, QStringLiteral("LIST")))
    , m_entries(valueOption({ QStringLiteral("entries") }, QStringLiteral("N")))
    , m_yes(flagOption({ QStringLiteral("yes") }))
    , m_keep(valueOption({ QStringLiteral("keep") }, QStringLiteral("N")))
    , m_from(valueOption({ QStringLiteral("from") }, QStringLiteral("FORMAT")))
    , m_cut(flagOption({ QStringLiteral("cut") }))
    , m_allReadings(flagOption({ QStringLiteral("all-readings") }))
    , m_dryRun(flagOption({ QStringLiteral("dry-run") }))
    , m_skipRefused(flagOption({ QStringLiteral("skip-refused") }))
    , m_includeDeleted(flagOption({ QStringLiteral("include-deleted") }))
    , m_map(valueOption({ QStringLiteral("map") }, QStringLiteral("FIELD=HEADING")))
    , m_dateOrder(valueOption({ QStringLiteral("date-order") }, QStringLiteral("ymd|dmy|mdy")))
    , m_health(flagOption({ QStringLiteral("health") }))
    , m_guideline(valueOption({ QStringLiteral("guideline") }, QStringLiteral("NAME")))
    , m_unit(valueOption({ QStringLiteral("unit") }, QStringLiteral("lb|kg")))
    , m_stones(valueOption({ QStringLiteral("stones") }, QStringLiteral("on|off")))
    , m_height(valueOption({ QStringLiteral("height") }, QStringLiteral("N")))
    , m_convert(flagOption({ QStringLiteral("convert") }))
    , m_relabel(flagOption({ QStringLiteral("relabel") }))
    , m_help(flagOption({ QStringLiteral("h"), QStringLiteral("help") }))
{
    for (const QCommandLineOption* option : options())
        m_parser.addOption(*option);
    m_parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
    m_parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
}

std::optional<DataToolOptions> DataToolCommandLine::parse(
    const QStringList& arguments, const QString& defaultFolder, QString& error)
{
    error = firstUnusable(arguments);
    if (!error.isEmpty())
        return std::nullopt;
    // The parser takes the first argument for the program's name.
    if (!m_parser.parse(QStringList { DataToolOutput::ProgramName } + arguments)) {
        error = m_parser.errorText();
        return std::nullopt;
    }
    const auto valueIfSet = [this](const QCommandLineOption& option) {
        return m_parser.isSet(option) ? std::optional(m_parser.value(option)) : std::nullopt;
    };
    DataToolOptions options;
    options.folder = valueIfSet(m_dir).value_or(defaultFolder);
    options.formatGiven = m_parser.isSet(m_format);
    options.format = valueIfSet(m_format).value_or(options.format);
    options.output = m_parser.value(m_output);
    options.show = m_parser.isSet(m_show);
    options.paper = m_parser.value(m_paper);
    options.landscape = m_parser.isSet(m_landscape);
    options.reportOptions = valueIfSet(m_reportOptions);
    options.entries = valueIfSet(m_entries);
    options.reportLayoutGiven
        = options.landscape || m_parser.isSet(m_paper) || options.reportOptions || options.entries;
    options.yes = m_parser.isSet(m_yes);
    options.keep = valueIfSet(m_keep);
    options.from = valueIfSet(m_from);
    options.cut = m_parser.isSet(m_cut);
    options.allReadings = m_parser.isSet(m_allReadings);
    options.dryRun = m_parser.isSet(m_dryRun);
    options.skipRefused = m_parser.isSet(m_skipRefused);
    options.includeDeleted = m_parser.isSet(m_includeDeleted);
    options.maps = m_parser.values(m_map);
    options.dateOrder = valueIfSet(m_dateOrder);
    options.health = m_parser.isSet(m_health);
    options.guideline = valueIfSet(m_guideline);
    options.unit = valueIfSet(m_unit);
    options.stones = valueIfSet(m_stones);
    options.height = valueIfSet(m_height);
    options.convert = m_parser.isSet(m_convert);
    options.relabel = m_parser.isSet(m_relabel);
    options.help = m_parser.isSet(m_help);
    options.positional = m_parser.positionalArguments();
    return options;
}

// QCommandLineParser gathers every unknown option into one message, without
// its dashes, and reads clusters and glued values ("-ho", "-oFILE",
// "-o=FILE"). The tool has always named the first argument it cannot use,
// as typed, and known a single dash only in "-h", "-o" and "-" itself; this
// walk goes through the arguments as the parser does to find that one.
QString DataToolCommandLine::firstUnusable(const QStringList& arguments) const
{
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument == u"--")
            break;
        if (argument == u"-" || !argument.startsWith(u'-'))
            continue;
        const qsizetype assign = argument.startsWith(u"--") ? argument.indexOf(u'=') : -1;
        const QCommandLineOption* option = optionNamed(argument.left(assign));
        if (!option || (assign >= 0 && option->valueName().isEmpty()))
            return QStringLiteral("unknown option %1").arg(argument);
        if (option->valueName().isEmpty())
            continue;
        QString value;
        if (assign >= 0)
            value = argument.mid(assign + 1);
        else if (++i < arguments.size())
            value = arguments.at(i);
        else
            return QStringLiteral("%1 needs a value").arg(argument);
        if (option == &m_output && value.isEmpty())
            return QStringLiteral("%1 needs a file name").arg(argument);
    }
    return QString();
}

QList<const QCommandLineOption*> DataToolCommandLine::options() const
{
    return { &m_dir, &m_format, &m_output, &m_show, &m_paper, &m_landscape, &m_reportOptions,
        &m_entries, &m_yes, &m_keep, &m_from, &m_cut, &m_allReadings, &m_dryRun, &m_skipRefused,
        &m_includeDeleted, &m_map, &m_dateOrder, &m_health, &m_guideline, &m_unit, &m_stones,
        &m_height, &m_convert, &m_relabel, &m_help };
}

const QCommandLineOption* DataToolCommandLine::optionNamed(const QString& argument) const
{
    for (const QCommandLineOption* option : options()) {
        for (const QString& name : option->names()) {
            if (argument == (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name)
                return option;
        }
    }
    return nullptr;
}
