#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// A picture file the user chose, read the way large camera photos need: its
// size comes from the file's header without decoding, and it is decoded
// directly at the size it is shown at. The photo's own rotation tag is
// applied, so sizes are those of the picture as it should be seen.
class PictureFile
{
public:
    explicit PictureFile(QString path);

    QString path() const { return m_path; }

    // The picture's size in pixels, upright; invalid when the file is missing
    // or not a picture this program can read.
    QSize naturalSize() const;

    // The picture decoded at shownSize (upright, in pixels); a null image
    // when it cannot be loaded.
    QImage read(QSize shownSize) const;

private:
    bool isReadable() const;

    QString m_path;
};
