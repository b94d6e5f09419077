#include "screens/DataGridFile.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QFile>
#include <QSaveFile>

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

bool DataGridFile::write(const QString& filePath, const Contents& contents, QString* error)
{
    QSaveFile file(filePath);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = file.errorString();
        return false;
    }
    QDataStream out(&file);
    out.setVersion(QDataStream::Qt_6_4);
    out << gridFileMagic << gridFileVersion << qint32(contents.rows) << qint32(contents.columns);
    for (qsizetype cell = 0; cell < contents.texts.size(); ++cell)
        out << contents.texts[cell] << contents.bolds[cell];
    if (out.status() != QDataStream::Ok || !file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

std::optional<DataGridFile::Contents> DataGridFile::read(const QString& filePath, QString* error)
{
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return std::nullopt;
    }
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
        || !sizeOk) {
        *error = translated("Not a grid file");
        return std::nullopt;
    }

    Contents contents;
    contents.rows = rows;
    contents.columns = columns;
    contents.texts.resize(qsizetype(rows) * columns);
    contents.bolds.resize(contents.texts.size());
    for (qsizetype cell = 0; cell < contents.texts.size() && in.status() == QDataStream::Ok; ++cell)
        in >> contents.texts[cell] >> contents.bolds[cell];
    if (in.status() != QDataStream::Ok || !in.atEnd()) {
        *error = translated("The grid file is damaged");
        return std::nullopt;
    }
    return contents;
}
