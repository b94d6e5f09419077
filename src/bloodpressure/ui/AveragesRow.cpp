#include "AveragesRow.h"

#include "bloodpressure/BloodPressureAverages.h"
#include "screens/DataGrid.h"
#include "screens/NamedWidget.h"

#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QTableWidget>

AveragesRow::AveragesRow(const DataGrid* grid, QWidget* parent)
    : QWidget(parent)
    , m_grid(grid)
{
    for (int i = 0; i < 4; ++i) {
        m_labels[i] = named(new QLabel(this), arrayElementName("Label6", i));
        QFont font = m_labels[i]->font();
        font.setBold(true);
        m_labels[i]->setFont(font);
        m_labels[i]->setAlignment(i == 0 ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignCenter);
    }
    setFixedHeight(m_labels[0]->sizeHint().height() + 4);

    const QTableWidget* view = m_grid->view();
    connect(view->horizontalHeader(), &QHeaderView::sectionResized, this,
        &AveragesRow::placeUnderColumns);
    connect(view->horizontalHeader(), &QHeaderView::geometriesChanged, this,
        &AveragesRow::placeUnderColumns);
    connect(view->horizontalScrollBar(), &QScrollBar::valueChanged, this,
        &AveragesRow::placeUnderColumns);
}

void AveragesRow::show(const BloodPressureAverages& averages, bool fullScreenMode)
{
    const std::array<QString, 4> texts = averages.labelTexts(fullScreenMode);
    for (int i = 0; i < 4; ++i)
        m_labels[i]->setText(texts[i]);
    placeUnderColumns();
}

void AveragesRow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeUnderColumns();
}

void AveragesRow::placeUnderColumns()
{
    const QTableWidget* view = m_grid->view();
    const QHeaderView* header = view->horizontalHeader();
    const int height = this->height();
    const int origin
        = view->viewport()->mapTo(window(), QPoint()).x() - mapTo(window(), QPoint()).x();
    int firstLeft = 0;
    for (int i = 1; i < 4; ++i) {
        // The view's columns start after the grid's fixed column.
        const int section = FirstColumn + i - 1 - m_grid->fixedColumns();
        const int x = origin + header->sectionViewportPosition(section);
        m_labels[i]->setGeometry(x, 0, header->sectionSize(section), height);
        if (i == 1)
            firstLeft = x;
    }
    m_labels[0]->setGeometry(0, 0, std::max(firstLeft - 6, 0), height);
}
