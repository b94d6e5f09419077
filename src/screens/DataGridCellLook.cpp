// The look of the data grid's cells: bold, underline, font size and colours,
// each kept with its cell until set again. The rest of the grid is in
// DataGrid.cpp.
#include "screens/DataGrid.h"

#include "screens/DataGridView.h"

#include <QBrush>
#include <QHeaderView>

#include <algorithm>

bool DataGrid::FontChange::holds(const QFont& font) const
{
    switch (part) {
    case Bold:
        return font.bold() == (value != 0);
    case Underline:
        return font.underline() == (value != 0);
    case Size:
        return font.pointSizeF() == value;
    }
    return false;
}

template <typename Apply> void DataGrid::forEachCell(const CellRange& range, Apply apply)
{
    const int top = std::max(std::min(range.row1, range.row2), 0);
    const int bottom = std::min(std::max(range.row1, range.row2), rowCount() - 1);
    const int left = std::max(std::min(range.col1, range.col2), 0);
    const int right = std::min(std::max(range.col1, range.col2), columnCount() - 1);
    // The views hear of the changes through writeCell; nothing else needs
    // repainting, as the corner cell is never drawn.
    for (int row = top; row <= bottom; ++row) {
        for (int column = left; column <= right; ++column)
            apply(row, column);
    }
}

template <typename Change>
void DataGrid::changeFont(const CellRange& range, const FontChange& change, Change apply)
{
    forEachCell(range, [&](int row, int column) {
        const QFont font = effectiveFont(row, column);
        // A cell that already looks so is left alone: a log fill sets the
        // boldness of every derived cell, most of them as they are.
        if (change.holds(font))
            return;
        // One font per change and starting font, shared by every cell it
        // goes to, instead of a copy of its own in each.
        if (!m_lastFontChange || m_lastFontChange->change != change
            || m_lastFontChange->from != font
            || m_lastFontChange->from.resolveMask() != font.resolveMask()) {
            QFont changed = font;
            apply(changed);
            m_lastFontChange = MadeFont { change, font, changed };
        }
        writeCell(row, column, Qt::FontRole, m_lastFontChange->to);
    });
}

QFont DataGrid::effectiveFont(int row, int column) const
{
    const QTableWidgetItem* item = itemAt(row, column);
    const QVariant font = item ? item->data(Qt::FontRole) : QVariant();
    if (font.isValid())
        return font.value<QFont>();
    if (row < m_fixedRows)
        return m_view->horizontalHeader()->font();
    if (column < m_fixedColumns)
        return m_view->verticalHeader()->font();
    return m_view->font();
}

bool DataGrid::isBold(int row, int column) const
{
    return effectiveFont(row, column).bold();
}

bool DataGrid::isUnderline(int row, int column) const
{
    return effectiveFont(row, column).underline();
}

qreal DataGrid::fontSize(int row, int column) const
{
    return effectiveFont(row, column).pointSizeF();
}

void DataGrid::setBold(const CellRange& range, bool bold)
{
    changeFont(
        range, { FontChange::Bold, bold ? 1.0 : 0.0 }, [bold](QFont& font) { font.setBold(bold); });
}

void DataGrid::setUnderline(const CellRange& range, bool underline)
{
    changeFont(range, { FontChange::Underline, underline ? 1.0 : 0.0 },
        [underline](QFont& font) { font.setUnderline(underline); });
}

void DataGrid::setFontSize(const CellRange& range, qreal points)
{
    if (points <= 0)
        return;
    changeFont(
        range, { FontChange::Size, points }, [points](QFont& font) { font.setPointSizeF(points); });
}

void DataGrid::setBackground(const CellRange& range, const QColor& colour)
{
    const QVariant brush = colour.isValid() ? QVariant(QBrush(colour)) : QVariant();
    forEachCell(
        range, [&](int row, int column) { writeCell(row, column, Qt::BackgroundRole, brush); });
}

QColor DataGrid::background(int row, int column) const
{
    const QTableWidgetItem* item = itemAt(row, column);
    const QVariant brush = item ? item->data(Qt::BackgroundRole) : QVariant();
    return brush.isValid() ? brush.value<QBrush>().color() : QColor();
}

void DataGrid::setForeground(const CellRange& range, const QColor& colour)
{
    const QVariant brush = colour.isValid() ? QVariant(QBrush(colour)) : QVariant();
    forEachCell(
        range, [&](int row, int column) { writeCell(row, column, Qt::ForegroundRole, brush); });
}

QColor DataGrid::foreground(int row, int column) const
{
    const QTableWidgetItem* item = itemAt(row, column);
    const QVariant brush = item ? item->data(Qt::ForegroundRole) : QVariant();
    return brush.isValid() ? brush.value<QBrush>().color() : QColor();
}
