#include "WeightPersonSettings.h"

#include "ProgramSettings.h"

#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSettings>
#include <QStringList>
#include <QVariant>

namespace {

const QString GroupPrefix = QStringLiteral("WeightPerson-");
const QString NameKey = QStringLiteral("Name");
const QString UnitKey = QStringLiteral("Unit");
const QString StonesKey = QStringLiteral("Stones");
const QString HeightKey = QStringLiteral("Height");

} // namespace

WeightPersonSettings::WeightPersonSettings(const ProgramFolder& folder)
    : m_folder(folder)
{ }

QString WeightPersonSettings::filePath() const
{
    return m_folder.filePath(ProgramSettings::FileName);
}

QString WeightPersonSettings::groupOf(const QString& name)
{
    return GroupPrefix + QString::fromLatin1(name.trimmed().toCaseFolded().toUtf8().toHex());
}

QString WeightPersonSettings::readProblem() const
{
    const QString path = filePath();
    if (!QFileInfo::exists(path))
        return QString();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("%1: %2").arg(ProgramSettings::FileName, file.errorString());
    file.close();
    QSettings settings(path, QSettings::IniFormat);
    if (settings.status() != QSettings::NoError)
        return QStringLiteral("%1: the file is not a settings file this program can read")
            .arg(ProgramSettings::FileName);
    return QString();
}

WeightPersonSettings::Values WeightPersonSettings::read(const QString& name, QString* problem) const
{
    Values values;
    const QString found = readProblem();
    if (problem)
        *problem = found;
    if (!found.isEmpty() || !QFileInfo::exists(filePath()))
        return values;
    QSettings settings(filePath(), QSettings::IniFormat);
    settings.beginGroup(groupOf(name));
    values.unit = unitNamed(settings.value(UnitKey).toString());
    values.stones = values.unit == Unit::Pounds && settings.value(StonesKey).toBool();
    // A height is in the unit's own length: without a unit it means nothing.
    bool ok = false;
    const double height = settings.value(HeightKey).toDouble(&ok);
    if (ok && values.unit && heightRefusal(*values.unit, height).isEmpty())
        values.height = height;
    return values;
}

bool WeightPersonSettings::isSet(const QString& name) const
{
    if (!readProblem().isEmpty() || !QFileInfo::exists(filePath()))
        return false;
    QSettings settings(filePath(), QSettings::IniFormat);
    return settings.childGroups().contains(groupOf(name));
}

Outcome WeightPersonSettings::write(const QString& name, const Values& values) const
{
    if (values.height) {
        if (!values.unit)
            return Outcome::refused(QStringLiteral("a height needs a unit of weight"));
        if (const QString refusal = heightRefusal(*values.unit, *values.height); !refusal.isEmpty())
            return Outcome::refused(refusal);
    }
    if (const QString problem = readProblem(); !problem.isEmpty())
        return Outcome::failure(ProgramSettings::FileName,
            QStringLiteral("the file cannot be read, and writing it would lose the settings "
                           "it holds"));

    QSettings settings(filePath(), QSettings::IniFormat);
    settings.beginGroup(groupOf(name));
    const QStringList keys { NameKey, UnitKey, StonesKey, HeightKey };
    QList<QVariant> before;
    for (const QString& key : keys)
        before.append(settings.value(key));
    settings.setValue(NameKey, name.trimmed());
    if (values.unit)
        settings.setValue(UnitKey, unitName(*values.unit));
    else
        settings.remove(UnitKey);
    settings.setValue(StonesKey, values.unit == Unit::Pounds && values.stones);
    if (values.height)
        settings.setValue(HeightKey, *values.height);
    else
        settings.remove(HeightKey);
    // QSettings replaces the file whole through a temporary file, so a
    // failed write leaves the previous settings on disk.
    settings.sync();
    if (settings.status() == QSettings::NoError)
        return Outcome::success();
    // The values that could not be written stay pending in QSettings' cache
    // of the file, shared by the whole program: later reads would show
    // them, and the next setting saved would write them unasked. Putting
    // the previous values back leaves nothing of the failed change.
    for (qsizetype i = 0; i < keys.size(); ++i) {
        if (before[i].isValid())
            settings.setValue(keys[i], before[i]);
        else
            settings.remove(keys[i]);
    }
    return Outcome::failure(ProgramSettings::FileName,
        QStringLiteral("the file cannot be written in %1").arg(m_folder.path()));
}

QString WeightPersonSettings::heightRefusal(Unit unit, double height)
{
    const double maximum = unit == Unit::Pounds ? MaximumInches : MaximumCentimetres;
    if (!(height > 0) || height > maximum)
        return QStringLiteral("a height in %1 lies above 0 and at most %2")
            .arg(unit == Unit::Pounds ? QStringLiteral("inches") : QStringLiteral("centimetres"))
            .arg(maximum);
    return QString();
}

QString WeightPersonSettings::unitName(Unit unit)
{
    return unit == Unit::Kilograms ? QStringLiteral("kg") : QStringLiteral("lb");
}

QString WeightPersonSettings::unitSuffix(const std::optional<Unit>& unit)
{
    return unit ? u' ' + unitName(*unit) : QString();
}

std::optional<WeightPersonSettings::Unit> WeightPersonSettings::unitNamed(const QString& name)
{
    if (name == u"lb")
        return Unit::Pounds;
    if (name == u"kg")
        return Unit::Kilograms;
    return std::nullopt;
}
