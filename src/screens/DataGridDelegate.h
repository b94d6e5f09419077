#pragma once

#include <QHash>
#include <QStyledItemDelegate>

#include <functional>

// Draws the cells of a DataGrid and provides its in-cell editor. It applies
// the column display formats to what is drawn only, and limits what the
// editor accepts. Columns here are the view's columns.
class DataGridDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    explicit DataGridDelegate(QObject* parent = nullptr);

    void setColumnFormat(int column, const QString& format);
    QString columnFormat(int column) const { return m_formats.value(column); }
    void setColumnAlignment(int column, Qt::Alignment alignment);
    void setColumnEditLimit(int column, int characters);

    // The text a cell shows for its stored text.
    QString displayText(int column, const QString& storedText) const;

    // Raised when the user changes the editor's text, and when the editor
    // writes a text that differs from the cell's.
    std::function<void()> onEditorTextChanged;
    std::function<void(const QModelIndex&)> onTextCommitted;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
        const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(
        QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    QHash<int, QString> m_formats;
    QHash<int, Qt::Alignment> m_alignments;
    QHash<int, int> m_editLimits;
};
