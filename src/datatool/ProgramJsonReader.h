#pragma once

#include "logimport/SourceLog.h"

#include <QByteArray>

// The program's own JSON export of a weight or blood-pressure log (what
// "export weight|bp NAME --format json" writes): its "kind" says which log,
// its "unit" the weights' unit (none: the person's), and its rows are taken
// with the values as stored. Its derived figures, header boxes and pictures
// are the person's file's own and are not imported. A row is named by the
// line its "row" number stands on.
class ProgramJsonReader
{
public:
    static SourceLog read(const QByteArray& bytes);
};
