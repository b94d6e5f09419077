#include "ReportCommand.h"

#include "ReportWriter.h"
#include "bloodpressure/BloodPressureGuideline.h"
#include "bloodpressure/PrintEntryCount.h"
#include "passwords/PasswordStorage.h"
#include "storage/ProgramFolder.h"

#include <algorithm>

namespace {

using Kind = DataToolOptions::Kind;

// The report options halvorn-data can tick, by function.
QStringList reportOptionNames(Kind kind)
{
    if (kind == Kind::Weight)
        return { QStringLiteral("graph"), QStringLiteral("plan"), QStringLiteral("data"),
            QStringLiteral("beginning-picture"), QStringLiteral("current-picture"),
            QStringLiteral("border-lines"), QStringLiteral("divider-lines") };
    if (kind == Kind::BloodPressure)
        return { QStringLiteral("graph"), QStringLiteral("border-lines"),
            QStringLiteral("divider-lines"), QStringLiteral("summary") };
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

ReportCommand::ReportCommand(DataToolOutput& output, ReportWriter* reports)
    : DataToolCommand(output)
    , m_reports(reports)
{ }

int ReportCommand::run(const DataToolOptions& options)
{
    const Kind kind = options.positional.size() == 3 ? options.kindAt(1) : Kind::Unknown;
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
    std::optional<BloodPressureGuideline::Id> guideline;
    if (options.guideline) {
        guideline = BloodPressureGuideline::fromKey(*options.guideline);
        if (!guideline)
            return usageError(QStringLiteral("unknown guideline \"%1\": own, acc-aha, esh or esc")
                                  .arg(*options.guideline));
    }
    if (options.writesIntoProgramFolder())
        return usageError(
            QStringLiteral("%1 lies inside the program folder: write it to another folder")
                .arg(options.output));
    if (!m_reports)
        return problem(QStringLiteral("reports cannot be written here"));

    int exitCode = Success;
    // A password entry is found by the writer, which reads the entries.
    std::optional<QString> name = options.positional.at(2);
    if (kind != Kind::Passwords)
        name = listedName(options, kind == Kind::Weight, *name, exitCode);
    if (!name)
        return exitCode;
    std::shared_ptr<PasswordStorage> passwords;
    if (kind == Kind::Passwords) {
        passwords = passwordStorage(ProgramFolder(options.folder), exitCode);
        if (!passwords)
            return exitCode;
    }
    const ReportWriter::Request request { options.folder, *name, options.output, paper,
        options.landscape, ticked, entries, passwords, guideline };
    const Outcome written = kind == Kind::Weight ? m_reports->writeWeightReport(request)
        : kind == Kind::BloodPressure            ? m_reports->writeBloodPressureReport(request)
                                                 : m_reports->writePasswordReport(request);
    // The output is already named in front, so the reason stands alone.
    if (!written)
        return problem(QStringLiteral("%1: %2").arg(options.output, written.reason));
    return Success;
}
