#include "PasswordFiles.h"

#include "ClassicPasswordStorage.h"
#include "SecretBytes.h"
#include "storage/TextRecordFile.h"
#include "storage/Windows1252.h"
#include "trackers/IndividualList.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRandomGenerator>
#include <QSaveFile>

#include <algorithm>
#include <utility>

namespace {

QString withoutBlanks(const QString& text)
{
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && text[start] == u' ')
        ++start;
    while (end > start && text[end - 1] == u' ')
        --end;
    return text.sliced(start, end - start);
}

QString withoutTrailingBlanks(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == u' ')
        --end;
    return text.left(end);
}

// Why text cannot be held in form, naming the first character it cannot
// hold; the empty text when it can.
QString unheldRefusal(const QString& label, const QString& text, KeeperText::Form form)
{
    const std::optional<char32_t> unheld = KeeperText::firstUnheld(text, form);
    if (!unheld)
        return {};
    if (form == KeeperText::Form::Classic)
        return KeeperText::classicRefusal(label, *unheld);
    return QStringLiteral("The %1 contains a broken character (%2) that cannot be stored.")
        .arg(label, KeeperText::nameOf(*unheld));
}

bool hasControlCharacter(const QString& text)
{
    return std::any_of(
        text.cbegin(), text.cend(), [](QChar c) { return c.category() == QChar::Other_Control; });
}

QString fieldRefusal(const QString& label, const QString& text, int maximumLength,
    PasswordRecord::Field field, KeeperText::Form form)
{
    if (QString refusal = unheldRefusal(label, text, form); !refusal.isEmpty())
        return refusal;
    if (KeeperText::length(text) > maximumLength)
        return QStringLiteral("The %1 can be at most %2 characters long.")
            .arg(label)
            .arg(maximumLength);
    if (field != PasswordRecord::Password && text.endsWith(PasswordRecord::lostAtFieldEnd(field)))
        return QStringLiteral("The %1 cannot end with the control character U+%2.")
            .arg(label)
            .arg(PasswordRecord::lostAtFieldEnd(field).unicode(), 4, 16, QChar(u'0'));
    return {};
}

using Part = PasswordStorage::Part;

// Bytes read for one change or lookup: a protected keeper's are decrypted,
// so they are wiped once it is done.
struct WipeOnExit {
    explicit WipeOnExit(std::optional<QByteArray>& read)
        : bytes(read)
    { }
    WipeOnExit(const WipeOnExit&) = delete;
    WipeOnExit& operator=(const WipeOnExit&) = delete;
    ~WipeOnExit()
    {
        if (bytes)
            SecretBytes::wipe(*bytes);
    }

    std::optional<QByteArray>& bytes;
};

} // namespace

PasswordFiles::PasswordFiles(ProgramFolder folder, QRandomGenerator* random)
    : PasswordFiles(folder, std::make_shared<ClassicPasswordStorage>(folder), random)
{ }

PasswordFiles::PasswordFiles(
    ProgramFolder folder, std::shared_ptr<PasswordStorage> storage, QRandomGenerator* random)
    : m_folder(std::move(folder))
    , m_storage(std::move(storage))
    , m_random(random ? random : QRandomGenerator::global())
{ }

QString PasswordFiles::indexFilePath() const
{
    return m_folder.filePath(IndexFileName);
}

QString PasswordFiles::entriesFilePath() const
{
    return m_folder.filePath(EntriesFileName);
}

KeeperText::Form PasswordFiles::textForm() const
{
    return m_storage->textForm();
}

bool PasswordFiles::readIndex(QStringList& items, QString& error) const
{
    items.clear();
    if (!m_storage->exists(Part::Index))
        return true;
    std::optional<QByteArray> bytes = m_storage->read(Part::Index, error);
    const WipeOnExit wipe { bytes };
    if (!bytes)
        return false;
    // The Unicode form's index is the same lines in UTF-8. Its quotes, commas
    // and line ends are the same ASCII bytes, and no byte of a longer UTF-8
    // character is one of them, so the line reader finds the values, each
    // byte standing as the Windows-1252 character of the same number.
    const KeeperText::Form form = m_storage->textForm();
    TextRecordFile file;
    file.openBytes(*bytes);
    while (!file.atEnd()) {
        QString value;
        if (!file.readValue(value))
            break;
        if (form != KeeperText::Form::Classic)
            value = KeeperText::text(Windows1252::encode(value), form);
        // An empty value names no entry and cannot be chosen.
        if (!withoutBlanks(value).isEmpty())
            items.append(value);
    }
    file.close();
    // One stable sort puts equal items in file order, as inserting each
    // after its equals would, without moving the list once per item. The
    // program writes the index in that order, so mostly there is nothing to
    // sort, which one pass finds.
    if (!std::is_sorted(items.cbegin(), items.cend(), IndividualList::lessThan))
        std::stable_sort(items.begin(), items.end(), IndividualList::lessThan);
    return true;
}

QStringList PasswordFiles::LoadIndex() const
{
    QStringList items;
    QString error;
    readIndex(items, error);
    return items;
}

QByteArray PasswordFiles::indexBytes(const QStringList& items) const
{
    const KeeperText::Form form = m_storage->textForm();
    QByteArray bytes;
    for (const QString& item : items)
        bytes.append(TextRecordFile::encodeLine(form == KeeperText::Form::Classic
                ? item
                : Windows1252::decode(KeeperText::bytes(item, form))));
    return bytes;
}

Outcome PasswordFiles::WriteIndex(const QStringList& items) const
{
    return m_storage->write(Part::Index, indexBytes(items));
}

namespace {

// 0 when records 1 to 10,000 are all in use. Records beyond the end of the
// file read as zero bytes, so they are free.
int lowestFreeRecord(const QByteArray& entries, KeeperText::Form form)
{
    const QByteArrayView all(entries);
    for (int number = 1; number <= PasswordFiles::MaximumRecords; ++number) {
        const qsizetype start = qsizetype(number - 1) * PasswordRecord::lengthOf(form);
        // The rest of the file from the record on: a last record cut short
        // is read no further than it goes.
        if (start >= all.size() || !PasswordRecord::isInUse(all.sliced(start), form))
            return number;
    }
    return 0;
}

} // namespace

std::optional<int> PasswordFiles::FindFreeRecord() const
{
    QString error;
    std::optional<QByteArray> entries = readEntries(error);
    const WipeOnExit wipe { entries };
    if (!entries)
        return std::nullopt;
    const int number = lowestFreeRecord(*entries, textForm());
    if (number == 0)
        return std::nullopt;
    return number;
}

std::optional<PasswordRecord> PasswordFiles::readRecord(int recordNumber) const
{
    return m_storage->readRecord(recordNumber);
}

std::optional<PasswordEntry> PasswordFiles::loadEntry(const QString& indexItem) const
{
    const IndexItem item(indexItem);
    const std::optional<PasswordRecord> record = readRecord(item.recordNumber());
    if (!record)
        return std::nullopt;
    return PasswordEntry { item.name(), record->UnscrambleField(PasswordRecord::SignOn),
        record->UnscrambleField(PasswordRecord::Password),
        record->UnscrambleField(PasswordRecord::Comment) };
}

std::optional<QByteArray> PasswordFiles::readEntries(QString& error) const
{
    return m_storage->read(Part::Entries, error);
}

bool PasswordFiles::writeEntries(const QByteArray& bytes, QString& error) const
{
    const Outcome written = m_storage->write(Part::Entries, bytes);
    error = written.reason;
    return written.succeeded;
}

// Records between the old end and this one become zero bytes, which read as
// never written, so free.
QByteArray PasswordFiles::withRecord(QByteArray bytes, int number, const PasswordRecord& record)
{
    const qsizetype length = PasswordRecord::lengthOf(record.form());
    const qsizetype position = qsizetype(number - 1) * length;
    if (bytes.size() < position + length)
        bytes.append(QByteArray(position + length - bytes.size(), '\0'));
    bytes.replace(position, length, record.bytes());
    return bytes;
}

Outcome PasswordFiles::AddEntry(const PasswordEntry& entry, SameName sameName, int* recordNumber)
{
    QStringList items;
    QString error;
    if (!readIndex(items, error))
        return Outcome::failed(
            QStringLiteral("The list of Password Files could not be read: %1").arg(error));
    if (QString refusal = nameRefusal(entry.name, items, sameName, textForm()); !refusal.isEmpty())
        return Outcome::refused(refusal);
    if (QString refusal = fieldsRefusal(entry, textForm()); !refusal.isEmpty())
        return Outcome::refused(refusal);

    std::optional<QByteArray> previous = readEntries(error);
    const WipeOnExit wipe { previous };
    if (!previous)
        return Outcome::failed(
            QStringLiteral("The Password File could not be saved: %1").arg(error));
    const int number = lowestFreeRecord(*previous, textForm());
    if (number == 0)
        return Outcome::refused(
            QStringLiteral("The list of Password Files is full: all %1 are in use. "
                           "Delete a Password File you no longer need, then save again.")
                .arg(QLocale(QLocale::English).toString(MaximumRecords)));

    const PasswordRecord record = PasswordRecord::ScrambleEntry(
        entry.signOn, entry.password, entry.comment, *m_random, textForm());
    if (!writeEntries(withRecord(*previous, number, record), error))
        return Outcome::failed(
            QStringLiteral("The Password File could not be saved: %1").arg(error));

    insertSorted(items, IndexItem::build(entry.name, number).text());
    if (const Outcome written = WriteIndex(items); !written) {
        // Unlisted, the record would stay in use for good; give it back.
        QString ignored;
        writeEntries(*previous, ignored);
        return Outcome::failed(
            QStringLiteral("The Password File could not be saved: %1").arg(written.reason));
    }
    if (recordNumber)
        *recordNumber = number;
    return Outcome::success();
}

Outcome PasswordFiles::AddEntries(
    const QList<PasswordEntry>& entries, SameName sameName, qsizetype* refusedAt)
{
    QStringList items;
    QString error;
    if (!readIndex(items, error))
        return Outcome::failed(
            QStringLiteral("The list of Password Files could not be read: %1").arg(error));
    std::optional<QByteArray> next = readEntries(error);
    const WipeOnExit wipe { next };
    if (!next)
        return Outcome::failed(
            QStringLiteral("The Password Files could not be saved: %1").arg(error));

    // Free records are taken lowest first, as one AddEntry after another
    // would take them; the search goes on from the last one taken.
    const KeeperText::Form form = textForm();
    const qsizetype length = PasswordRecord::lengthOf(form);
    int number = 0;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const PasswordEntry& entry = entries[i];
        QString refusal = nameRefusal(entry.name, items, sameName, form);
        if (refusal.isEmpty())
            refusal = fieldsRefusal(entry, form);
        do
            ++number;
        while (number <= MaximumRecords && qsizetype(number - 1) * length < next->size()
            && PasswordRecord::isInUse(
                QByteArrayView(*next).sliced(qsizetype(number - 1) * length), form));
        if (refusal.isEmpty() && number > MaximumRecords)
            refusal = QStringLiteral("The list of Password Files is full: all %1 are in use.")
                          .arg(QLocale(QLocale::English).toString(MaximumRecords));
        if (!refusal.isEmpty()) {
            if (refusedAt)
                *refusedAt = i;
            return Outcome::refused(refusal);
        }
        *next = withRecord(std::move(*next), number,
            PasswordRecord::ScrambleEntry(
                entry.signOn, entry.password, entry.comment, *m_random, form));
        items.append(IndexItem::build(entry.name, number).text());
    }
    // Sorted once, stable, so that a new item stands after its equals as
    // insertSorted would put it.
    std::stable_sort(items.begin(), items.end(), IndividualList::lessThan);
    if (const Outcome written = m_storage->writeBoth(indexBytes(items), *next); !written)
        return Outcome::failed(
            QStringLiteral("The Password Files could not be saved: %1").arg(written.reason));
    return Outcome::success();
}

QList<PasswordEntry> PasswordFiles::loadAllEntries() const
{
    QStringList items;
    QString error;
    readIndex(items, error);
    std::optional<QByteArray> entries = readEntries(error);
    const WipeOnExit wipe { entries };
    const QByteArrayView all = entries ? QByteArrayView(*entries) : QByteArrayView();
    QList<PasswordEntry> loaded;
    for (const QString& item : std::as_const(items)) {
        const IndexItem indexItem(item);
        const PasswordRecord record
            = PasswordRecord::fromEntries(all, indexItem.recordNumber(), textForm());
        loaded.append({ indexItem.name(), record.UnscrambleField(PasswordRecord::SignOn),
            record.UnscrambleField(PasswordRecord::Password),
            record.UnscrambleField(PasswordRecord::Comment) });
    }
    return loaded;
}

Outcome PasswordFiles::ReplaceEntry(int recordNumber, const PasswordEntry& entry)
{
    if (recordNumber < 1)
        return Outcome::refused(QStringLiteral(
            "The Password File could not be saved: its place in the file is unknown."));
    if (QString refusal = fieldsRefusal(entry, textForm()); !refusal.isEmpty())
        return Outcome::refused(refusal);
    QString error;
    std::optional<QByteArray> previous = readEntries(error);
    const WipeOnExit wipe { previous };
    const PasswordRecord record = PasswordRecord::ScrambleEntry(
        entry.signOn, entry.password, entry.comment, *m_random, textForm());
    if (!previous || !writeEntries(withRecord(*previous, recordNumber, record), error))
        return Outcome::failed(
            QStringLiteral("The Password File could not be saved: %1").arg(error));
    return Outcome::success();
}

// The index is written first: should blanking the record fail afterwards, the
// record merely stays in use unlisted. The other order could leave the index
// naming a free record, which the next new entry would take.
Outcome PasswordFiles::DeleteEntry(const QString& indexItem)
{
    QStringList items;
    QString error;
    if (!readIndex(items, error))
        return Outcome::failed(
            QStringLiteral("The list of Password Files could not be read: %1").arg(error));
    const qsizetype position = items.indexOf(indexItem);
    if (position < 0)
        return Outcome::refused(QStringLiteral("This Password File is no longer in the list."));
    const int number = IndexItem(indexItem).recordNumber();
    items.removeAt(position);
    if (const Outcome written = WriteIndex(items); !written)
        return Outcome::failed(
            QStringLiteral("The Password File could not be deleted: %1").arg(written.reason));

    const bool recordShared = std::any_of(items.cbegin(), items.cend(),
        [number](const QString& item) { return IndexItem(item).recordNumber() == number; });
    if (number < 1 || recordShared)
        return Outcome::success();
    std::optional<QByteArray> entries = readEntries(error);
    const WipeOnExit wipe { entries };
    if (!entries
        || !writeEntries(
            withRecord(*entries, number, PasswordRecord::BlankRecord(textForm())), error))
        return Outcome::failed(
            QStringLiteral("The Password File was removed from the list, but its contents "
                           "could not be erased: %1")
                .arg(error));
    return Outcome::success();
}

qsizetype PasswordFiles::findByName(const QStringList& items, const QString& name)
{
    const QString wanted = withoutBlanks(name);
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (withoutBlanks(IndexItem(items[i]).name()) == wanted)
            return i;
    }
    return -1;
}

void PasswordFiles::insertSorted(QStringList& items, const QString& item)
{
    items.insert(
        std::upper_bound(items.cbegin(), items.cend(), item, IndividualList::lessThan), item);
}

QString PasswordFiles::nameRefusal(
    const QString& name, const QStringList& items, SameName sameName, KeeperText::Form form)
{
    if (withoutBlanks(name).isEmpty())
        return QStringLiteral("Please enter a web address, location, service, card or other name "
                              "for the Password File.");
    if (name.contains(u'"'))
        return QStringLiteral("The name cannot contain a double quote (\").");
    if (hasControlCharacter(name))
        return QStringLiteral("The name cannot contain tabs, line breaks or other control "
                              "characters.");
    if (QString refusal = unheldRefusal(QStringLiteral("name"), name, form); !refusal.isEmpty())
        return refusal;
    if (KeeperText::length(name) > MaximumNameLength)
        return QStringLiteral("The name can be at most %1 characters long.").arg(MaximumNameLength);
    if (sameName == SameName::Refused && findByName(items, name) >= 0)
        return QStringLiteral("A Password File named \"%1\" already exists.")
            .arg(withoutBlanks(name));
    return {};
}

QString PasswordFiles::fieldsRefusal(const PasswordEntry& entry, KeeperText::Form form)
{
    for (QString refusal : { fieldRefusal(QStringLiteral("Sign On ID"), entry.signOn,
                                 MaximumSignOnLength, PasswordRecord::SignOn, form),
             fieldRefusal(QStringLiteral("Password"), withoutTrailingBlanks(entry.password),
                 MaximumPasswordLength, PasswordRecord::Password, form),
             fieldRefusal(QStringLiteral("Comment"), entry.comment, MaximumCommentLength,
                 PasswordRecord::Comment, form) }) {
        if (!refusal.isEmpty())
            return refusal;
    }
    return {};
}
