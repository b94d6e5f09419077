#pragma once

#include "IndexItem.h"
#include "KeeperText.h"
#include "PasswordEntry.h"
#include "PasswordRecord.h"
#include "PasswordStorage.h"
#include "services/Outcome.h"
#include "storage/ProgramFolder.h"

#include <QByteArray>
#include <QFileDevice>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class QRandomGenerator;

// The password keeper's two files in the program folder: the index
// Secfile1.Fil (one IndexItem per entry, sorted like the keeper's list) and
// the entries Secfile2.fil (one PasswordRecord per entry).
//
// Adding, replacing and deleting check what they are given first and touch no
// file when they refuse. Each file is rewritten whole through a temporary
// file, so a failed write leaves it as it was; a change that fails half-way
// is undone, so that the index never lists a record that is free and no entry
// in use is ever overwritten.
//
// Both files are created, and kept on every rewrite, readable and writable by
// their owner only: they hold the user's passwords, merely scrambled. When the
// keeper is protected the same two files' bytes live inside the vault, and
// this class reads and writes them there through its storage.
class PasswordFiles
{
public:
    static inline const QString IndexFileName = QStringLiteral("Secfile1.Fil");
    static inline const QString EntriesFileName = QStringLiteral("Secfile2.fil");

    // The search for a free record stops here, so the keeper holds at most
    // this many entries.
    static constexpr int MaximumRecords = 10000;

    // The limits of the screen's boxes.
    static constexpr int MaximumNameLength = IndexItem::NameLength;
    static constexpr int MaximumSignOnLength = 50;
    static constexpr int MaximumPasswordLength = 50;
    static constexpr int MaximumCommentLength = 200;

    static constexpr QFileDevice::Permissions OwnerOnly
        = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

    // Whether a new entry may take a name already listed. The keeper's Save
    // offers to make a second entry of the same name; other callers keep
    // names unique.
    enum class SameName { Refused, Allowed };

    // random draws the characters around each stored password; tests pass a
    // seeded generator. Without one the securely seeded global generator is
    // used.
    explicit PasswordFiles(ProgramFolder folder, QRandomGenerator* random = nullptr);
    // The files kept in storage instead of the folder's classic pair.
    PasswordFiles(ProgramFolder folder, std::shared_ptr<PasswordStorage> storage,
        QRandomGenerator* random = nullptr);

    QString indexFilePath() const;
    QString entriesFilePath() const;

    // The index items, sorted as the list shows them. A missing or unreadable
    // index gives an empty list; empty values are dropped.
    QStringList LoadIndex() const;

    // Rewrites the index whole from items, in their order. On failure the
    // previous index stays as it was and the outcome says why.
    Outcome WriteIndex(const QStringList& items) const;

    // The lowest record of 1 to 10,000 that is not in use, or nothing when all
    // are in use or the entries file cannot be opened.
    std::optional<int> FindFreeRecord() const;

    // The record as stored; nothing when the entries file cannot be read.
    std::optional<PasswordRecord> readRecord(int recordNumber) const;

    // The entry an index item names: the name from the item, the rest
    // unscrambled from its record. Nothing when the record cannot be read.
    std::optional<PasswordEntry> loadEntry(const QString& indexItem) const;

    // AddEntry: stores the entry in the lowest free record and lists it in the
    // index. Refused, with nothing written, when the name or a field breaks
    // the rules (a name already listed too, unless sameName allows it) or all
    // 10,000 records are in use. Once stored, the record written is given
    // back through recordNumber (when given).
    Outcome AddEntry(const PasswordEntry& entry, SameName sameName = SameName::Refused,
        int* recordNumber = nullptr);

    // Adds every one of entries as AddEntry would, in one save of the
    // keeper: all of them are stored, or none. Refused, with nothing
    // written, when one of them breaks the rules or the free records run
    // out; refusedAt (when given) then receives its place in entries.
    Outcome AddEntries(
        const QList<PasswordEntry>& entries, SameName sameName, qsizetype* refusedAt = nullptr);

    // Every listed entry, in the list's order, read with one pass over each
    // file. An entry whose record cannot be read comes with empty fields.
    QList<PasswordEntry> loadAllEntries() const;

    // ReplaceEntry: stores new texts in the record of an entry already listed;
    // the index is left as it is.
    Outcome ReplaceEntry(int recordNumber, const PasswordEntry& entry);

    // DeleteEntry: removes the item from the index, then blanks its record so
    // that the record is free again.
    Outcome DeleteEntry(const QString& indexItem);

    // Where items has an item whose name equals name, both trimmed of blanks
    // (letter case counts), as the Save command compares them; otherwise -1.
    static qsizetype findByName(const QStringList& items, const QString& name);

    // Sorts item into its place in items (the list's order).
    static void insertSorted(QStringList& items, const QString& item);

    // The form this keeper's texts are stored in: what text it can hold.
    KeeperText::Form textForm() const;

    // Why name cannot be given to a new entry of a keeper whose texts take
    // form, or the empty text. A name already in items is refused unless
    // sameName allows it. Lengths count characters (KeeperText::length); a
    // character the form cannot hold is named in the refusal.
    static QString nameRefusal(const QString& name, const QStringList& items,
        SameName sameName = SameName::Refused, KeeperText::Form form = KeeperText::Form::Classic);

    // Why the sign-on id, password or comment cannot be stored faithfully in
    // form, or the empty text.
    static QString fieldsRefusal(
        const PasswordEntry& entry, KeeperText::Form form = KeeperText::Form::Classic);

private:
    // False, with the reason, only when the index exists but cannot be read:
    // rewriting it from an empty list would then lose every entry.
    bool readIndex(QStringList& items, QString& error) const;

    // The index's bytes holding items, in the keeper's text form.
    QByteArray indexBytes(const QStringList& items) const;

    // The entries file as stored; empty when it does not exist yet.
    std::optional<QByteArray> readEntries(QString& error) const;
    // Rewrites the entries file whole.
    bool writeEntries(const QByteArray& bytes, QString& error) const;
    // The entries file's bytes with record number replaced.
    static QByteArray withRecord(QByteArray bytes, int number, const PasswordRecord& record);

    ProgramFolder m_folder;
    std::shared_ptr<PasswordStorage> m_storage;
    QRandomGenerator* m_random;
};
