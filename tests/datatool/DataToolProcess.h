#pragma once

#include "FolderContents.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

// Runs the built halvorn-data as its own process, the way a user does.
struct DataToolRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
    QString outText() const { return QString::fromUtf8(out); }
    QString errText() const { return QString::fromUtf8(err); }
};

// standardOutputFile, when given, receives the output instead of the run.
DataToolRun runDataTool(const QStringList& arguments, const QString& program = QString(),
    const QString& standardOutputFile = QString());

// The same with input on the run's standard input (not a terminal), such as
// master passwords one per line.
DataToolRun runDataToolWithInput(const QStringList& arguments, const QByteArray& input);

// The program folder fixtures kept beside the tests.
QString fixturePath(const QString& name);

class TemporaryProgramFolder;

// Copies a fixture folder's files into a fresh program folder, so that a
// test may change them.
void copyFixture(const QString& name, const TemporaryProgramFolder& folder);

// The log fixture with two password entries and a few settings records: a
// folder in which nothing is wrong.
void buildSoundFolder(const TemporaryProgramFolder& folder);
