#include "KeeperConversion.h"

#include "IndexItem.h"
#include "KeeperText.h"
#include "PasswordRecord.h"
#include "storage/TextRecordFile.h"
#include "storage/Windows1252.h"

#include <QSet>

namespace {

using Form = KeeperText::Form;

// The records of entries as the keeper reads them, each in form `to`; a
// record that cannot be held there is left out and its number given.
QByteArray convertedEntries(
    const SecretBytes& entries, Form from, Form to, QList<int>* unheld = nullptr)
{
    const qsizetype length = PasswordRecord::lengthOf(from);
    const int count = int((qsizetype(entries.size()) + length - 1) / length);
    QByteArray converted;
    converted.reserve(qsizetype(count) * PasswordRecord::lengthOf(to));
    for (int number = 1; number <= count; ++number) {
        const std::optional<PasswordRecord> record
            = PasswordRecord::fromEntries(entries.view(), number, from).inForm(to);
        if (record)
            converted.append(record->bytes());
        else if (unheld)
            unheld->append(number);
    }
    return converted;
}

SecretBytes secretOf(QByteArray bytes)
{
    SecretBytes secret = SecretBytes::copyOf(bytes);
    SecretBytes::wipe(bytes);
    return secret;
}

// The index items of a Unicode index, as PasswordFiles reads them.
QStringList unicodeItems(const SecretBytes& index)
{
    QStringList items;
    TextRecordFile file;
    file.openBytes(QByteArray(index.view()));
    QString value;
    while (!file.atEnd() && file.readValue(value))
        items.append(KeeperText::text(Windows1252::encode(value), Form::Unicode));
    file.close();
    return items;
}

} // namespace

VaultContents KeeperConversion::toUnicode(const VaultContents& classic)
{
    return { secretOf(Windows1252::decode(classic.index.view()).toUtf8()),
        secretOf(convertedEntries(classic.entries, Form::Classic, Form::Unicode)) };
}

KeeperConversion::Classic KeeperConversion::toClassic(const VaultContents& unicode)
{
    const QString index = QString::fromUtf8(unicode.index.view());
    QList<int> unheldRecords;
    QByteArray entries
        = convertedEntries(unicode.entries, Form::Unicode, Form::Classic, &unheldRecords);
    const bool indexHeld
        = KeeperText::canHold(index, Form::Classic) && index.toUtf8() == unicode.index.view();
    Classic classic;
    if (indexHeld && unheldRecords.isEmpty()) {
        classic.contents
            = VaultContents { secretOf(Windows1252::encode(index)), secretOf(std::move(entries)) };
        return classic;
    }
    SecretBytes::wipe(entries);

    QSet<int> named;
    for (const QString& text : unicodeItems(unicode.index)) {
        const IndexItem item(text);
        if (item.name().trimmed().isEmpty())
            continue;
        if (!KeeperText::canHold(text, Form::Classic)
            || unheldRecords.contains(item.recordNumber())) {
            classic.unheldEntries.append(item.name().trimmed());
            named.insert(item.recordNumber());
        }
    }
    for (const int number : unheldRecords) {
        if (!named.contains(number))
            classic.unheldEntries.append(QStringLiteral("record %1").arg(number));
    }
    if (classic.unheldEntries.isEmpty())
        classic.unheldEntries.append(QStringLiteral("the list of entries"));
    return classic;
}
