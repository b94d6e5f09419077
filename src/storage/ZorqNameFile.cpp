#include "ZorqNameFile.h"

#include "RecordFile.h"

namespace {

const QString FileName = QStringLiteral("ZORQNAME.FIL");
constexpr int FamilyNameRecord = 1;

} // namespace

ZorqNameFile::ZorqNameFile(const ProgramFolder& folder)
    : m_folder(folder)
{ }

QString ZorqNameFile::familyName() const
{
    RecordFile file(m_folder.filePath(FileName), RecordLength);
    QString name;
    file.readText(FamilyNameRecord, name);
    return name;
}

bool ZorqNameFile::setFamilyName(const QString& name) const
{
    RecordFile file(m_folder.filePath(FileName), RecordLength);
    return file.writeText(FamilyNameRecord, name.left(MaximumNameLength));
}
