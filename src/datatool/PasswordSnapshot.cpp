#include "PasswordSnapshot.h"

#include "passwords/IndexItem.h"
#include "passwords/PasswordFiles.h"
#include "storage/TextRecordFile.h"

#include <QFile>
#include <QFileInfo>

Outcome PasswordSnapshot::fail(const QString& fileName, const QString& reason)
{
    m_failedFile = fileName;
    m_failureReason = reason;
    return Outcome::failed(QStringLiteral("%1: %2").arg(fileName, reason));
}

Outcome PasswordSnapshot::load(const ProgramFolder& folder)
{
    m_items.clear();
    m_entries.clear();
    m_failedFile.clear();
    m_failureReason.clear();
    const PasswordFiles files(folder);

    // LoadIndex gives an empty list for an unreadable index; here that must
    // be told apart from an empty one.
    const QString indexPath = files.indexFilePath();
    if (QFileInfo::exists(indexPath)) {
        TextRecordFile index;
        if (!index.openForReading(indexPath))
            return fail(QFileInfo(indexPath).fileName(), index.errorString());
        index.close();
    }
    m_items = files.LoadIndex();

    const QString entriesPath = files.entriesFilePath();
    m_entriesExist = QFileInfo::exists(entriesPath);
    if (m_entriesExist) {
        QFile entries(entriesPath);
        if (!entries.open(QIODevice::ReadOnly))
            return fail(QFileInfo(entriesPath).fileName(), entries.errorString());
        m_entries = entries.readAll();
    }
    return Outcome::success();
}

PasswordRecord PasswordSnapshot::record(int recordNumber) const
{
    PasswordRecord record;
    if (recordNumber < 1)
        return record;
    const qint64 start = qint64(recordNumber - 1) * PasswordRecord::Length;
    // As the keeper reads it: a record of which not even two bytes are
    // stored is empty, whatever its one byte holds.
    if (start + 2 <= m_entries.size())
        record.structure().decode(QByteArrayView(m_entries).sliced(start).first(
            qMin<qint64>(PasswordRecord::Length, m_entries.size() - start)));
    return record;
}

PasswordEntry PasswordSnapshot::entry(const QString& indexItem) const
{
    const IndexItem item(indexItem);
    const PasswordRecord stored = record(item.recordNumber());
    return PasswordEntry { item.name(), stored.UnscrambleField(PasswordRecord::SignOn),
        stored.UnscrambleField(PasswordRecord::Password),
        stored.UnscrambleField(PasswordRecord::Comment) };
}
