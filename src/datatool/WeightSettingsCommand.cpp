#include "WeightSettingsCommand.h"

#include "backup/DiskFileOperations.h"
#include "storage/NumberText.h"
#include "storage/WeightPersonSettings.h"
#include "weight/WeightFile.h"
#include "weight/WeightUnitChange.h"

#include <cmath>

namespace {

constexpr double CentimetresPerInch = 2.54;

// A height kept through a change of unit keeps its length: 70 inches become
// 177.8 centimetres, never 70.
std::optional<double> heightIn(
    WeightPersonSettings::Unit unit, const WeightPersonSettings::Values& before)
{
    if (!before.height || !before.unit || unit == before.unit)
        return before.height;
    const double converted = unit == WeightPersonSettings::Unit::Kilograms
        ? *before.height * CentimetresPerInch
        : *before.height / CentimetresPerInch;
    return std::round(converted * 10) / 10;
}

} // namespace

int WeightSettingsCommand::run(const DataToolOptions& options)
{
    using Unit = WeightPersonSettings::Unit;
    if (options.kindAt(1) != Kind::Weight || options.positional.size() != 3 || !options.unit)
        return usageError(
            QStringLiteral("set weight takes a NAME and --unit lb|kg [--convert|--relabel] "
                           "[--stones on|off] [--height N]"));
    if (options.convert && options.relabel)
        return usageError(QStringLiteral("--convert and --relabel exclude each other"));
    const std::optional<Unit> unit = WeightPersonSettings::unitNamed(*options.unit);
    if (!unit)
        return usageError(QStringLiteral("unknown unit \"%1\" (lb or kg)").arg(*options.unit));
    if (options.stones && *options.stones != u"on" && *options.stones != u"off")
        return usageError(QStringLiteral("--stones takes on or off"));
    if (options.stones == u"on" && *unit != Unit::Pounds)
        return usageError(QStringLiteral("stones are shown only for pounds"));
    std::optional<double> height;
    if (options.height) {
        height = NumberText::toNumber(*options.height);
        if (!height)
            return usageError(QStringLiteral("--height takes a number (0 removes the height)"));
        if (*height != 0) {
            if (const QString refusal = WeightPersonSettings::heightRefusal(*unit, *height);
                !refusal.isEmpty())
                return usageError(refusal);
        }
    }

    int exitCode = Success;
    const std::optional<QString> name
        = listedName(options, true, options.positional.at(2), exitCode);
    if (!name)
        return exitCode;
    const WeightPersonSettings settings { ProgramFolder(options.folder) };
    QString unreadable;
    const WeightPersonSettings::Values before = settings.read(*name, &unreadable);
    if (!unreadable.isEmpty())
        return problem(unreadable + QStringLiteral("; nothing was changed"));

    WeightPersonSettings::Values values;
    values.unit = *unit;
    values.stones
        = *unit == Unit::Pounds && (options.stones ? *options.stones == u"on" : before.stones);
    if (options.height)
        values.height = *height == 0 ? std::nullopt : height;
    else
        values.height = heightIn(*unit, before);

    const std::optional<WeightFile> file
        = WeightFile::LoadWeightFile(ProgramFolder(options.folder), *name, &unreadable);
    if (!file)
        return problem(unreadable + QStringLiteral("; nothing was changed"));
    if (WeightUnitChange::needsChoice(file->rows, before, values) && !options.convert
        && !options.relabel)
        return usageError(QStringLiteral("%1 has weigh-ins %2: add --convert to rewrite them "
                                         "in %3, or --relabel to keep them as typed")
                              .arg(*name,
                                  before.unit ? QStringLiteral("in ")
                                          + WeightPersonSettings::unitName(*before.unit)
                                              : QStringLiteral("without a unit"),
                                  WeightPersonSettings::unitName(*unit)));
    const bool converting = options.convert && before.unit != values.unit;
    if (converting) {
        if (const QString refusal = WeightUnitChange::convertRefusal(before, values);
            !refusal.isEmpty())
            return usageError(QStringLiteral("%1: %2").arg(*name, refusal));
    }
    DiskFileOperations files;
    if (const Outcome written
        = WeightUnitChange::apply(ProgramFolder(options.folder), *name, values,
            converting ? WeightUnitChange::Mode::Convert : WeightUnitChange::Mode::Relabel, files);
        !written)
        return problem(written.message() + QStringLiteral("; nothing was changed"));

    QString said
        = QStringLiteral("%1: weights in %2")
              .arg(*name,
                  *unit == Unit::Pounds ? QStringLiteral("pounds") : QStringLiteral("kilograms"));
    if (values.stones)
        said += QStringLiteral(", shown with stones");
    if (values.height)
        said += QStringLiteral(", height %1 %2")
                    .arg(*values.height)
                    .arg(*unit == Unit::Pounds ? QStringLiteral("in") : QStringLiteral("cm"));
    if (converting)
        said += QStringLiteral(", weights converted");
    print(m_out, said + QStringLiteral(".\n"));
    return Success;
}
