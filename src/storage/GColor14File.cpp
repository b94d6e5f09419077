#include "GColor14File.h"

#include "TextRecordFile.h"

namespace {

const QString FileName = QStringLiteral("GColor14.Fil");

} // namespace

GColor14File::GColor14File(const ProgramFolder& folder)
    : m_folder(folder)
{ }

QString GColor14File::lastPictureFolder() const
{
    TextRecordFile file;
    QString folderPath;
    if (file.openForReading(m_folder.filePath(FileName)))
        file.readValue(folderPath);
    file.close();
    return folderPath;
}

Outcome GColor14File::setLastPictureFolder(const QString& folderPath) const
{
    // The reader would end the value at a double quote and remember a folder
    // that does not exist; keep the previous folder instead.
    if (folderPath.contains(u'"'))
        return Outcome::failure(FileName,
            QStringLiteral("A folder whose name holds a double quote (\") cannot be stored."));
    TextRecordFile file;
    if (!file.openForWriting(m_folder.filePath(FileName)))
        return Outcome::failure(FileName, file.errorString());
    file.writeValue(folderPath);
    if (!file.close())
        return Outcome::failure(FileName, file.errorString());
    return Outcome::success();
}
