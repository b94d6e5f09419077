#pragma once

#include "DataToolOptions.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Reads a halvorn-data command line: the command and its words, and the
// options, which may come before, between or after them; "--" ends the
// options. Nothing is printed here and nothing of QCommandLineParser's own
// shows: no automatic --help or --version, none of its messages.
class DataToolCommandLine
{
public:
    DataToolCommandLine();

    // The options of arguments (without the program name), the folder
    // defaulting to defaultFolder; or nothing, with error telling what is
    // wrong with the first argument that cannot be used.
    std::optional<DataToolOptions> parse(
        const QStringList& arguments, const QString& defaultFolder, QString& error);

private:
    QString firstUnusable(const QStringList& arguments) const;
    QList<const QCommandLineOption*> options() const;
    // The option an argument names as a single dash and a letter or two
    // dashes and a word, or null.
    const QCommandLineOption* optionNamed(const QString& argument) const;

    const QCommandLineOption m_dir;
    const QCommandLineOption m_format;
    const QCommandLineOption m_output;
    const QCommandLineOption m_show;
    const QCommandLineOption m_paper;
    const QCommandLineOption m_landscape;
    const QCommandLineOption m_reportOptions;
    const QCommandLineOption m_entries;
    const QCommandLineOption m_yes;
    const QCommandLineOption m_keep;
    const QCommandLineOption m_from;
    const QCommandLineOption m_cut;
    const QCommandLineOption m_allReadings;
    const QCommandLineOption m_dryRun;
    const QCommandLineOption m_skipRefused;
    const QCommandLineOption m_includeDeleted;
    const QCommandLineOption m_map;
    const QCommandLineOption m_dateOrder;
    const QCommandLineOption m_health;
    const QCommandLineOption m_guideline;
    const QCommandLineOption m_unit;
    const QCommandLineOption m_stones;
    const QCommandLineOption m_height;
    const QCommandLineOption m_convert;
    const QCommandLineOption m_relabel;
    const QCommandLineOption m_help;
    QCommandLineParser m_parser;
};
