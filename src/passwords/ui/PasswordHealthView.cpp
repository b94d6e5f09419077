#include "passwords/ui/PasswordHealthView.h"

#include "screens/NamedWidget.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QString summary(const PasswordHealth::Report& report, qsizetype listed)
{
    QString text = report.findings.isEmpty()
        ? QStringLiteral("No weak, reused or unencrypted passwords among the %1 Password Files.")
              .arg(listed)
        : QStringLiteral("%1 of the %2 Password Files need attention. Choose a line to show "
                         "its entry.")
              .arg(report.findings.size())
              .arg(listed);
    if (!report.unreadable.isEmpty())
        text += QStringLiteral("\nThese could not be read: %1")
                    .arg(report.unreadable.join(QStringLiteral(", ")));
    return text;
}

} // namespace

PasswordHealthView::PasswordHealthView(
    const PasswordHealth::Report& report, qsizetype listed, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("PasswordHealthView"));
    setWindowTitle(QStringLiteral("Password Health"));

    auto* heading = named(new QLabel(summary(report, listed), this), "HealthSummary");
    heading->setWordWrap(true);
    m_list = named(new QTreeWidget(this), "HealthList");
    m_list->setHeaderLabels({ QStringLiteral("Password File"), QStringLiteral("Why") });
    m_list->setRootIsDecorated(false);
    m_list->setAllColumnsShowFocus(true);
    for (const PasswordHealth::Finding& finding : report.findings) {
        // One reason a line, so that none is cut off.
        auto* line = new QTreeWidgetItem(m_list, { finding.name, finding.reasons.join(u'\n') });
        line->setData(0, Qt::UserRole, finding.indexItem);
    }
    m_list->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_list->setMinimumSize(640, 280);
    connect(m_list, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
        if (current)
            emit entryChosen(current->data(0, Qt::UserRole).toString());
    });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("&Close"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    m_list->setFocus();
}
