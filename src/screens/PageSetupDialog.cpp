#include "PageSetupDialog.h"

#include "screens/NamedWidget.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

const QPageSize::PageSizeId Papers[] { QPageSize::Letter, QPageSize::Legal, QPageSize::Executive,
    QPageSize::A4, QPageSize::A5, QPageSize::B5 };

} // namespace

PageSetupDialog::PageSetupDialog(const QPageLayout& initial, QWidget* parent)
    : QDialog(parent)
{
    m_paper = named(new QComboBox(this), "Paper");
    for (QPageSize::PageSizeId id : Papers)
        m_paper->addItem(QPageSize::name(id), int(id));
    int index = m_paper->findData(int(initial.pageSize().id()));
    if (index < 0) {
        m_paper->addItem(initial.pageSize().name(), int(initial.pageSize().id()));
        index = m_paper->count() - 1;
    }
    m_paper->setCurrentIndex(index);

    auto* orientation = new QGroupBox(QStringLiteral("Orientation"), this);
    m_portrait = named(new QRadioButton(QStringLiteral("P&ortrait"), orientation), "Portrait");
    m_landscape = named(new QRadioButton(QStringLiteral("&Landscape"), orientation), "Landscape");
    (initial.orientation() == QPageLayout::Landscape ? m_landscape : m_portrait)->setChecked(true);
    auto* orientationLayout = new QVBoxLayout(orientation);
    orientationLayout->addWidget(m_portrait);
    orientationLayout->addWidget(m_landscape);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Paper &size:"), m_paper);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(orientation);
    layout->addWidget(buttons);
}

QPageLayout PageSetupDialog::selectedLayout() const
{
    const QPageSize paper(QPageSize::PageSizeId(m_paper->currentData().toInt()));
    return QPageLayout(paper,
        m_landscape->isChecked() ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(),
        QPageLayout::Point);
}
