#pragma once

#include "services/Outcome.h"

#include <QList>
#include <QString>

// The data grid's own file format: the grid's size, then every cell's text
// and bold marker, row by row. Writing replaces the old file only once the
// new one is complete; reading refuses any other file and a damaged one
// before anything is allocated for it.
class DataGridFile
{
public:
    struct Contents {
        int rows = 0;
        int columns = 0;
        // Row by row, rows * columns of each.
        QList<QString> texts;
        QList<bool> bolds;
    };

    static Outcome write(const QString& filePath, const Contents& contents);
    // contents is filled only when the whole file has been read.
    static Outcome read(const QString& filePath, Contents& contents);
};
