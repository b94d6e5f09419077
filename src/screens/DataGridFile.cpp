#include "screens/DataGridFile.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <utility>

namespace {

// Grid files start with these so that loading any other file is refused.
constexpr quint32 gridFileMagic = 0x48475244; // "HGRD"
constexpr quint16 gridFileVersion = 1;
// Bounds that a corrupt size field cannot pass before anything is allocated.
constexpr qint32 mostFileRows = 1'000'000;
constexpr qint32 mostFileColumns = 1'000;
constexpr qint64 mostFileCells = 5'000'000;

QString translated(const char* text)
{
    return QCoreApplication::translate("DataGrid", text);
}

} // namespace

Outcome DataGridFile::write(const QString& filePath, const Contents& contents)
{
    const QString fileName = QFileInfo(filePath).fileName();
    QSaveFile file(filePath);
    if (!file.open(QIODevice::WriteOnly))
        return Outcome::failure(fileName, file.errorString());
    QDataStream out(&file);
    out.setVersion(QDataStream::Qt_6_4);
    out << gridFileMagic << gridFileVersion << qint32(contents.rows) << qint32(contents.columns);
    for (qsizetype cell = 0; cell < contents.texts.size(); ++cell)
        out << contents.texts[cell] << contents.bolds[cell];
    if (out.status() != QDataStream::Ok || !file.commit())
        return Outcome::failure(fileName, file.errorString());
    return Outcome::success();
}

Outcome DataGridFile::read(const QString& filePath, Contents& contents)
{
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        return Outcome::failed(file.errorString());
    QDataStream in(&file);
    in.setVersion(QDataStream::Qt_6_4);
    quint32 magic = 0;
    quint16 version = 0;
    qint32 rows = 0;
    qint32 columns = 0;
    in >> magic >> version >> rows >> columns;
    const bool sizeOk = rows >= 0 && columns >= 0 && rows <= mostFileRows
        && columns <= mostFileColumns && qint64(rows) * columns <= mostFileCells;
    if (in.status() != QDataStream::Ok || magic != gridFileMagic || version != gridFileVersion
        || !sizeOk)
        return Outcome::failed(translated("Not a grid file"));

    Contents read;
    read.rows = rows;
    read.columns = columns;
    read.texts.resize(qsizetype(rows) * columns);
    read.bolds.resize(read.texts.size());
    for (qsizetype cell = 0; cell < read.texts.size() && in.status() == QDataStream::Ok; ++cell)
        in >> read.texts[cell] >> read.bolds[cell];
    if (in.status() != QDataStream::Ok || !in.atEnd())
        return Outcome::failed(translated("The grid file is damaged"));
    contents = std::move(read);
    return Outcome::success();
}
