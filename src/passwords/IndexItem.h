#pragma once

#include <QString>

// One value of Secfile1.Fil and one item of the keeper's list: the entry's
// name padded with blanks to 110 characters, then its record number in
// Secfile2.fil. The list shows only the start of the item, so the number stays
// out of sight.
class IndexItem
{
public:
    // The name part of the item; names are at most 100 characters, so the
    // number always starts at character 111.
    static constexpr int PaddedNameWidth = 110;
    static constexpr int NameLength = 100;
    static constexpr int RecordNumberLength = 6;

    explicit IndexItem(QString text);

    // The name as typed (untrimmed), then blanks up to 110 characters, then
    // the record number in decimal without blanks or leading zeros.
    static IndexItem build(const QString& name, int recordNumber);

    QString text() const { return m_text; }

    // The first 100 characters without their trailing blanks.
    QString name() const;
    // The numeric value of the last 6 characters; 0 when they hold no number.
    int recordNumber() const;

private:
    QString m_text;
};
