#include "WeightUnitChange.h"

#include "backup/FileSetTransaction.h"
#include "storage/NumberText.h"
#include "storage/ProgramSettings.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cmath>

namespace {

using Unit = WeightPersonSettings::Unit;

constexpr double PoundsPerKilogram = 2.20462262185;

bool hasWeighIns(const QList<WeighIn>& rows)
{
    for (const WeighIn& row : rows) {
        if (!row.weight.trimmed().isEmpty())
            return true;
    }
    return false;
}

} // namespace

bool WeightUnitChange::needsChoice(const QList<WeighIn>& rows,
    const WeightPersonSettings::Values& before, const WeightPersonSettings::Values& after)
{
    return before.unit != after.unit && hasWeighIns(rows);
}

QString WeightUnitChange::convertRefusal(
    const WeightPersonSettings::Values& before, const WeightPersonSettings::Values& after)
{
    if (!before.unit)
        return QStringLiteral("the weights have no unit yet to convert from: relabel them");
    if (!after.unit)
        return QStringLiteral("weights cannot be converted into no unit: relabel them");
    if (before.unit == after.unit)
        return QStringLiteral("the weights are in %1 already")
            .arg(WeightPersonSettings::unitName(*after.unit));
    return QString();
}

QString WeightUnitChange::converted(const QString& stored, Unit from, Unit to)
{
    const std::optional<double> weight = NumberText::toNumber(stored.trimmed());
    if (!weight || !(*weight > 0) || from == to)
        return stored;
    const double value
        = to == Unit::Kilograms ? *weight / PoundsPerKilogram : *weight * PoundsPerKilogram;
    const qint64 tenths = std::llround(value * 10);
    if (tenths <= 0)
        return stored;
    QString text = QString::number(double(tenths) / 10, 'f', 1);
    if (text.endsWith(QStringLiteral(".0")))
        text.chop(2);
    return text;
}

WeightFile WeightUnitChange::converted(WeightFile file, Unit from, Unit to)
{
    file.beginningWeight = converted(file.beginningWeight, from, to);
    file.goalWeight = converted(file.goalWeight, from, to);
    for (WeighIn& row : file.rows)
        row.weight = converted(row.weight, from, to);
    return file;
}

Outcome WeightUnitChange::apply(const ProgramFolder& folder, const QString& name,
    const WeightPersonSettings::Values& after, Mode mode, BackupFileOperations& files)
{
    const WeightPersonSettings settings(folder);
    QString unreadable;
    const WeightPersonSettings::Values before = settings.read(name, &unreadable);
    if (!unreadable.isEmpty())
        return Outcome::failure(ProgramSettings::FileName, unreadable);
    if (mode == Mode::Relabel)
        return settings.write(name, after);
    if (const QString refusal = convertRefusal(before, after); !refusal.isEmpty())
        return Outcome::refused(refusal);

    QString error;
    const std::optional<WeightFile> file = WeightFile::LoadWeightFile(folder, name, &error);
    if (!file)
        return Outcome::failed(error);

    // Both new files are made aside, then put in place at once.
    QTemporaryDir scratch;
    if (!scratch.isValid())
        return Outcome::failed(scratch.errorString());
    const ProgramFolder aside(scratch.path());
    if (folder.exists(ProgramSettings::FileName)
        && !QFile::copy(
            folder.filePath(ProgramSettings::FileName), aside.filePath(ProgramSettings::FileName)))
        return Outcome::failure(
            ProgramSettings::FileName, QStringLiteral("the file could not be read"));
    if (Outcome written = WeightPersonSettings(aside).write(name, after); !written)
        return written;
    const WeightFile convertedFile = converted(*file, *before.unit, *after.unit);
    if (Outcome written = convertedFile.SaveWeightFile(aside); !written)
        return written;

    FileSetTransaction transaction(folder.path(), files);
    if (Outcome prepared = transaction.prepare(); !prepared)
        return prepared;
    for (const QString& bareName : { ProgramSettings::FileName, convertedFile.fileName() }) {
        const QString live = folder.filePath(bareName);
        const QString liveName = QFileInfo(live).fileName();
        const bool exists = QFileInfo::exists(live);
        const QFileDevice::Permissions permissions
            = exists ? QFileInfo(live).permissions() : BackupFileOperations::OwnerOnly;
        const FileSetTransaction::Staged staged = transaction.stage(aside.filePath(bareName),
            liveName, exists ? QStringList { liveName } : QStringList {}, permissions);
        if (!staged.outcome) {
            transaction.discard();
            return Outcome::failure(liveName, staged.outcome.reason);
        }
    }
    return transaction.commit();
}
