#include "ZorqNameFile.h"

namespace {

const QString FileName = QStringLiteral("ZORQNAME.FIL");
constexpr int FamilyNameRecord = 1;

} // namespace

ZorqNameFile::ZorqNameFile(const ProgramFolder& folder)
    : m_records(folder, FileName, RecordLength)
{ }

QString ZorqNameFile::familyName() const
{
    return m_records.text(FamilyNameRecord);
}

Outcome ZorqNameFile::setFamilyName(const QString& name) const
{
    return m_records.setText(FamilyNameRecord, name.left(MaximumNameLength));
}
