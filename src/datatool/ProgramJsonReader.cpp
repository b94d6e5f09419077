#include "ProgramJsonReader.h"

#include "ProgramLogRows.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace {

int lineAt(const QByteArray& bytes, qsizetype offset)
{
    return int(bytes.left(offset).count('\n')) + 1;
}

// The line of each row's "row" number, as the export writes one per row.
QHash<int, int> rowLines(const QByteArray& bytes)
{
    static const QRegularExpression rowKey(QStringLiteral("\"row\"\\s*:\\s*(\\d+)"));
    QHash<int, int> lines;
    const QString text = QString::fromUtf8(bytes);
    qsizetype counted = 0;
    int line = 1;
    QRegularExpressionMatchIterator matches = rowKey.globalMatch(text);
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        line += int(QStringView(text).mid(counted, match.capturedStart() - counted).count(u'\n'));
        counted = match.capturedStart();
        lines.insert(match.captured(1).toInt(), line);
    }
    return lines;
}

// A value as the export writes it, a text; a number typed in by hand too.
QString textOf(const QJsonObject& row, const char* key)
{
    const QJsonValue value = row.value(QLatin1String(key));
    return value.isDouble() ? QString::number(value.toDouble()) : value.toString();
}

} // namespace

SourceLog ProgramJsonReader::read(const QByteArray& bytes)
{
    SourceLog log;
    log.ownLog = true;
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        log.error = QStringLiteral("line %1: not JSON: %2")
                        .arg(lineAt(bytes, parseError.offset))
                        .arg(parseError.errorString());
        return log;
    }
    const QJsonObject root = document.object();
    const QString kind = root.value(QStringLiteral("kind")).toString();
    if (kind != u"weight" && kind != u"blood_pressure") {
        log.error = QStringLiteral(
            "line 1: not an export of a Halvorn log (its \"kind\" is neither \"weight\" nor "
            "\"blood_pressure\")");
        return log;
    }
    const bool weight = kind == u"weight";
    WeightPersonSettings::Unit unit = WeightPersonSettings::Unit::Pounds;
    if (weight && root.contains(QStringLiteral("unit"))) {
        const std::optional<WeightPersonSettings::Unit> named
            = WeightPersonSettings::unitNamed(root.value(QStringLiteral("unit")).toString());
        if (!named) {
            log.error = QStringLiteral("the unit \"%1\" is neither \"lb\" nor \"kg\"")
                            .arg(root.value(QStringLiteral("unit")).toString());
            return log;
        }
        unit = *named;
    } else {
        log.weightsInPersonsUnit = true;
    }
    const QHash<int, int> lines = rowLines(bytes);
    const QJsonArray rows = root.value(QStringLiteral("rows")).toArray();
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const QJsonObject row = rows.at(i).toObject();
        const int line = lines.value(row.value(QStringLiteral("row")).toInt(int(i) + 1));
        const QString date = textOf(row, "date");
        if (weight) {
            const QString value = textOf(row, "weight");
            // The export lists the empty rows of the grid too.
            if (date.trimmed().isEmpty() && value.trimmed().isEmpty())
                continue;
            ProgramLogRows::addWeighIn(log, line, date, value, unit);
        } else {
            const QString time = textOf(row, "time");
            const QString systolic = textOf(row, "systolic");
            const QString diastolic = textOf(row, "diastolic");
            const QString pulse = textOf(row, "pulse");
            if ((date + time + systolic + diastolic + pulse).trimmed().isEmpty())
                continue;
            ProgramLogRows::addReading(log, line, date, time, systolic, diastolic, pulse);
        }
    }
    return log;
}
