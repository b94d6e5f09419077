#include "screens/DataGridDelegate.h"

#include "storage/DisplayFormat.h"

#include <QLineEdit>

namespace {

// Stored texts separate the lines of a cell with a carriage return.
QString withLineBreaks(QString text)
{
    text.replace(QLatin1String("\r\n"), QString(QChar::LineSeparator));
    text.replace(QLatin1Char('\r'), QChar::LineSeparator);
    text.replace(QLatin1Char('\n'), QChar::LineSeparator);
    return text;
}

} // namespace

DataGridDelegate::DataGridDelegate(QObject* parent)
    : QStyledItemDelegate(parent)
{ }

void DataGridDelegate::setColumnFormat(int column, const QString& format)
{
    m_formats.insert(column, format);
}

void DataGridDelegate::setColumnAlignment(int column, Qt::Alignment alignment)
{
    m_alignments.insert(column, alignment);
}

void DataGridDelegate::setColumnEditLimit(int column, int characters)
{
    m_editLimits.insert(column, characters);
}

QString DataGridDelegate::displayText(int column, const QString& storedText) const
{
    return withLineBreaks(DisplayFormat::apply(m_formats.value(column), storedText));
}

void DataGridDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    option->text = displayText(index.column(), index.data(Qt::EditRole).toString());
    const auto alignment = m_alignments.constFind(index.column());
    if (alignment != m_alignments.constEnd())
        option->displayAlignment = *alignment;
}

QWidget* DataGridDelegate::createEditor(
    QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const
{
    auto* editor = new QLineEdit(parent);
    editor->setFrame(false);
    const auto limit = m_editLimits.constFind(index.column());
    if (limit != m_editLimits.constEnd())
        editor->setMaxLength(*limit);
    const auto alignment = m_alignments.constFind(index.column());
    if (alignment != m_alignments.constEnd())
        editor->setAlignment(*alignment);
    connect(editor, &QLineEdit::textEdited, this, [this] {
        if (onEditorTextChanged)
            onEditorTextChanged();
    });
    return editor;
}

void DataGridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    // The editor shows the stored text, never the formatted one.
    if (auto* line = qobject_cast<QLineEdit*>(editor))
        line->setText(index.data(Qt::EditRole).toString());
}

void DataGridDelegate::setModelData(
    QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    auto* line = qobject_cast<QLineEdit*>(editor);
    if (!line)
        return;
    const QString text = line->text();
    if (index.data(Qt::EditRole).toString() == text)
        return;
    model->setData(index, text, Qt::EditRole);
    if (onTextCommitted)
        onTextCommitted(index);
}
