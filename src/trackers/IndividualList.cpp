#include "IndividualList.h"

#include "storage/TextRecordFile.h"
#include "trackers/IndividualName.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <utility>

IndividualList::IndividualList(QString listFileName, QString dataFileExtension)
    : m_listFileName(std::move(listFileName))
    , m_dataFileExtension(std::move(dataFileExtension))
{ }

bool IndividualList::lessThan(const QString& left, const QString& right)
{
    if (const int order = left.compare(right, Qt::CaseInsensitive); order != 0)
        return order < 0;
    return left < right;
}

qsizetype IndividualList::indexOf(const QString& name) const
{
    const QString trimmed = name.trimmed();
    if (const qsizetype exact = m_names.indexOf(trimmed); exact >= 0)
        return exact;
    for (qsizetype i = 0; i < m_names.size(); ++i) {
        if (m_names.at(i).compare(trimmed, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QList<std::pair<QString, QString>> IndividualList::namesDifferingOnlyInCase() const
{
    // Sorted ignoring case, such names stand next to each other.
    QList<std::pair<QString, QString>> pairs;
    for (qsizetype i = 1; i < m_names.size(); ++i) {
        if (m_names.at(i - 1).compare(m_names.at(i), Qt::CaseInsensitive) == 0)
            pairs.append({ m_names.at(i - 1), m_names.at(i) });
    }
    return pairs;
}

qsizetype IndividualList::add(const QString& name)
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty())
        return -1;
    if (const qsizetype existing = indexOf(trimmed); existing >= 0)
        return existing;
    const auto place = std::lower_bound(m_names.begin(), m_names.end(), trimmed, lessThan);
    const qsizetype index = place - m_names.begin();
    m_names.insert(index, trimmed);
    return index;
}

bool IndividualList::remove(const QString& name)
{
    const qsizetype index = indexOf(name);
    if (index < 0)
        return false;
    m_names.removeAt(index);
    return true;
}

QString IndividualList::dataFileName(const QString& name) const
{
    return IndividualName::dataFileName(name, m_dataFileExtension);
}

QString IndividualList::refusalForNewName(const QString& name, const ProgramFolder& folder) const
{
    if (QString reason = IndividualName::refusal(name); !reason.isEmpty())
        return reason;
    const QString trimmed = name.trimmed();
    if (contains(trimmed))
        return QStringLiteral("An individual named \"%1\" already exists; please choose another "
                              "name.")
            .arg(m_names.at(indexOf(trimmed)));
    // A file left without a list entry (a list restored from an older backup,
    // or edited) still holds someone's log; a new individual must not
    // overwrite it.
    if (folder.exists(dataFileName(trimmed)))
        return QStringLiteral("A file named \"%1\" already exists; please choose another name.")
            .arg(dataFileName(trimmed));
    return {};
}

Outcome IndividualList::load(const ProgramFolder& folder)
{
    m_names.clear();
    const QString path = folder.filePath(m_listFileName);
    const QFileInfo info(path);
    if (!info.exists() || (info.isFile() && info.size() == 0))
        return Outcome::success();
    QStringList values;
    QString reason;
    if (!TextRecordFile::readAllValues(path, values, &reason))
        return Outcome::failed(
            QStringLiteral("%1 could not be read: %2").arg(m_listFileName, reason));
    // Trimmed and sorted in; the empty value that an old list may begin
    // with is dropped, and so is a name listed twice to the letter. A name
    // listed in another letter case stays: it is someone's file.
    for (const QString& value : std::as_const(values)) {
        const QString trimmed = value.trimmed();
        if (trimmed.isEmpty() || m_names.contains(trimmed))
            continue;
        m_names.insert(
            std::lower_bound(m_names.begin(), m_names.end(), trimmed, lessThan), trimmed);
    }
    return Outcome::success();
}

Outcome IndividualList::write(const ProgramFolder& folder) const
{
    const QString path = folder.filePath(m_listFileName);
    if (m_names.isEmpty()) {
        if (QFile::exists(path) && !QFile::remove(path))
            return Outcome::failed(QStringLiteral("%1 could not be deleted.").arg(m_listFileName));
        return Outcome::success();
    }
    TextRecordFile file;
    file.openForWriting(path);
    for (const QString& name : m_names)
        file.writeValue(name);
    if (!file.close())
        return Outcome::failed(
            QStringLiteral("%1 could not be saved: %2").arg(m_listFileName, file.errorString()));
    return Outcome::success();
}

Outcome IndividualList::addIndividual(
    const ProgramFolder& folder, const QString& name, const std::function<Outcome()>& writeDataFile)
{
    if (const QString reason = refusalForNewName(name, folder); !reason.isEmpty())
        return Outcome::refused(reason);
    if (Outcome written = writeDataFile(); !written)
        return written;
    const QString trimmed = name.trimmed();
    add(trimmed);
    Outcome listed = write(folder);
    if (!listed) {
        // refusalForNewName made sure no file of this name existed before.
        QFile::remove(folder.filePath(dataFileName(trimmed)));
        remove(trimmed);
    }
    return listed;
}

Outcome IndividualList::deleteIndividual(const ProgramFolder& folder, const QString& name)
{
    if (const QString reason = IndividualName::pathRefusal(name); !reason.isEmpty())
        return Outcome::refused(reason);
    const QString dataFile = dataFileName(name);
    const QString path = folder.filePath(dataFile);
    if (QFile::exists(path) && !QFile::remove(path))
        return Outcome::failed(QStringLiteral("%1 could not be deleted.").arg(dataFile));
    remove(name);
    return write(folder);
}
