#include "IndexItem.h"

#include "KeeperText.h"

#include <utility>

IndexItem::IndexItem(QString text)
    : m_text(std::move(text))
{ }

IndexItem IndexItem::build(const QString& name, int recordNumber)
{
    const qsizetype padding = qMax<qsizetype>(0, PaddedNameWidth - KeeperText::length(name));
    return IndexItem(name + QString(padding, u' ') + QString::number(recordNumber));
}

// Widths count characters, so that a name holding characters outside the
// Basic Multilingual Plane (two UTF-16 units each) keeps all of its own.
QString IndexItem::name() const
{
    QString name = m_text.left(KeeperText::unitsOf(m_text, NameLength).first);
    qsizetype end = name.size();
    while (end > 0 && name[end - 1] == u' ')
        --end;
    name.truncate(end);
    return name;
}

// Reads the number the way the original's numeric conversion did: leading
// blanks skipped, then digits up to the first other character.
int IndexItem::recordNumber() const
{
    const QString tail = m_text.right(RecordNumberLength);
    qsizetype position = 0;
    while (position < tail.size() && tail[position] == u' ')
        ++position;
    int number = 0;
    for (; position < tail.size() && tail[position] >= u'0' && tail[position] <= u'9'; ++position)
        number = number * 10 + (tail[position].unicode() - u'0');
    return number;
}
