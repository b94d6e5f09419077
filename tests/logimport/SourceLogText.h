#pragma once

#include "QtPrinting.h"
#include "logimport/SourceLog.h"

#include <QDir>
#include <QFile>
#include <QStringList>

// A read log as lines a failing test shows plainly.
inline QStringList weighInLines(const SourceLog& log)
{
    QStringList lines;
    for (const SourceWeighIn& w : log.weighIns)
        lines.append(
            QStringLiteral("%1: %2 %3 %4 %5")
                .arg(w.line)
                .arg(w.date.toString(Qt::ISODate), w.time.toString(QStringLiteral("HH:mm")))
                .arg(w.weight)
                .arg(WeightPersonSettings::unitName(w.unit)));
    return lines;
}

inline QStringList readingLines(const SourceLog& log)
{
    QStringList lines;
    for (const SourceReading& r : log.readings)
        lines.append(
            QStringLiteral("%1: %2 %3 %4/%5 %6")
                .arg(r.line)
                .arg(r.date.toString(Qt::ISODate), r.time.toString(QStringLiteral("HH:mm")))
                .arg(r.systolic)
                .arg(r.diastolic)
                .arg(r.pulse ? QString::number(*r.pulse) : QStringLiteral("-")));
    return lines;
}

inline QList<int> refusedLines(const SourceLog& log)
{
    QList<int> lines;
    for (const RefusedLine& refused : log.refused)
        lines.append(refused.line);
    return lines;
}

inline QString fixturePath(const QString& name)
{
    return QDir(QStringLiteral(HALVORN_LOGIMPORT_FIXTURES)).filePath(name);
}

inline QByteArray fixture(const QString& name)
{
    QFile file(fixturePath(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}
