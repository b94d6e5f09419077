#include "IndividualDataFile.h"

#include "storage/TextRecordFile.h"
#include "trackers/IndividualName.h"

#include <cmath>

int IndividualDataFile::rowCountFromText(const QString& text)
{
    bool converted = false;
    const double number = text.trimmed().toDouble(&converted);
    if (!converted || !std::isfinite(number) || number <= 0)
        return DefaultRowCount;
    // Assigning a fraction to the grid's row count rounded it, halves to
    // even; nearbyint does the same in the default rounding mode.
    const double whole = std::nearbyint(number);
    if (whole < 1 || whole > MaximumRowCount)
        return DefaultRowCount;
    return static_cast<int>(whole);
}

Outcome IndividualDataFile::readValues(
    const ProgramFolder& folder, const QString& name, const QString& extension, QStringList& values)
{
    values.clear();
    if (const QString reason = IndividualName::pathRefusal(name); !reason.isEmpty())
        return Outcome::refused(reason);
    const QString fileName = IndividualName::dataFileName(name, extension);
    // A link that points nowhere is not a missing file: loading it as an
    // empty log would let the next save write through the link.
    if (!folder.exists(fileName))
        return Outcome::success();
    QString reason;
    if (!TextRecordFile::readAllValues(folder.filePath(fileName), values, &reason))
        return Outcome::failed(QStringLiteral("%1 could not be read: %2").arg(fileName, reason));
    return Outcome::success();
}

Outcome IndividualDataFile::writeValues(const ProgramFolder& folder, const QString& name,
    const QString& extension, const QList<std::optional<QString>>& values)
{
    if (const QString reason = IndividualName::pathRefusal(name); !reason.isEmpty())
        return Outcome::refused(reason);
    const QString fileName = IndividualName::dataFileName(name, extension);
    TextRecordFile file;
    file.openForWriting(folder.filePath(fileName));
    for (const std::optional<QString>& value : values) {
        if (value)
            file.writeValue(*value);
        else
            file.writeUnset();
    }
    if (!file.close())
        return Outcome::failed(
            QStringLiteral("%1 could not be saved: %2").arg(fileName, file.errorString()));
    return Outcome::success();
}
