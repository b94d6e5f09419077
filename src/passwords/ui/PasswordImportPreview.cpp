#include "passwords/ui/PasswordImportPreview.h"

#include "screens/NamedWidget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace {

using Action = PasswordImport::Action;
using Format = PasswordImport::Format;

QString whatHappens(const PasswordImport::Planned& planned)
{
    switch (planned.action) {
    case Action::Add:
        return planned.reason.isEmpty() ? QStringLiteral("will be added")
                                        : QStringLiteral("will be added, ") + planned.reason;
    case Action::Skip:
        return QStringLiteral("will be skipped: ") + planned.reason;
    case Action::Refuse:
        return QStringLiteral("refused: ") + planned.reason;
    }
    return {};
}

QString summary(const PasswordImport::Plan& plan)
{
    if (!plan.error.isEmpty())
        return QStringLiteral("The file cannot be imported: %1.").arg(plan.error);
    QString text = QStringLiteral("%1 to add, %2 skipped, %3 refused.")
                       .arg(plan.count(Action::Add))
                       .arg(plan.count(Action::Skip) + plan.skippedKinds.size())
                       .arg(plan.count(Action::Refuse));
    if (plan.deletedLeftOut > 0)
        text += QStringLiteral(" %1 in the Recycle Bin left out.")
                    .arg(plan.deletedLeftOut == 1
                            ? QStringLiteral("1 entry")
                            : QStringLiteral("%1 entries").arg(plan.deletedLeftOut));
    if (plan.count(Action::Refuse) > 0)
        text += plan.skipRefused
            ? QStringLiteral(" The refused entries are left out.")
            : QStringLiteral(" Nothing is imported while any entry is refused: correct the file, "
                             "cut over-long fields, or leave the refused entries out.");
    return text;
}

} // namespace

PasswordImportPreview::PasswordImportPreview(QByteArray bytes, QList<PasswordEntry> listed,
    const QString& fileName, KeeperText::Form textForm, QWidget* parent)
    : QDialog(parent)
    , m_bytes(std::move(bytes))
    , m_listed(std::move(listed))
    , m_form(textForm)
{
    setObjectName(QStringLiteral("PasswordImportPreview"));
    setWindowTitle(QStringLiteral("Import Password Files"));

    m_format = named(new QComboBox(this), "ImportFormat");
    for (Format format : { Format::KeePassXc, Format::Bitwarden, Format::Browser })
        m_format->addItem(PasswordImport::formatTitle(format), int(format));
    m_format->setCurrentIndex(
        m_format->findData(int(PasswordImport::detect(m_bytes).value_or(Format::KeePassXc))));
    m_cut = named(new QCheckBox(QStringLiteral("&Cut fields longer than the keeper takes"), this),
        "ImportCut");
    m_includeDeleted
        = named(new QCheckBox(QStringLiteral("Take the &Recycle Bin's entries too"), this),
            "ImportIncludeDeleted");
    m_skipRefused = named(
        new QCheckBox(QStringLiteral("&Leave out the refused entries"), this), "ImportSkipRefused");
    m_list = named(new QTreeWidget(this), "ImportList");
    m_list->setHeaderLabels({ QStringLiteral("Where"), QStringLiteral("Password File"),
        QStringLiteral("Sign On ID"), QStringLiteral("What happens") });
    m_list->setRootIsDecorated(false);
    m_list->setAllColumnsShowFocus(true);
    // Low enough that the dialog fits a screen of 600 lines with every
    // choice shown.
    m_list->setMinimumSize(700, 200);
    m_summary = named(new QLabel(this), "ImportSummary");
    m_summary->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(this);
    m_import = buttons->addButton(QStringLiteral("&Import"), QDialogButtonBox::AcceptRole);
    m_import->setObjectName(QStringLiteral("ImportAccept"));
    buttons->addButton(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("ImportCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("File:"), new QLabel(fileName, this));
    auto* formatLabel = new QLabel(QStringLiteral("&Format:"), this);
    formatLabel->setBuddy(m_format);
    form->addRow(formatLabel, m_format);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_list);
    layout->addWidget(m_summary);
    auto* choices = new QVBoxLayout;
    choices->addWidget(m_cut);
    choices->addWidget(m_includeDeleted);
    choices->addWidget(m_skipRefused);
    auto* bottom = new QHBoxLayout;
    bottom->addLayout(choices);
    bottom->addWidget(buttons, 1, Qt::AlignBottom);
    layout->addLayout(bottom);

    setTabOrder(m_format, m_list);
    setTabOrder(m_list, m_cut);
    setTabOrder(m_cut, m_includeDeleted);
    setTabOrder(m_includeDeleted, m_skipRefused);
    setTabOrder(m_skipRefused, buttons);
    connect(m_format, &QComboBox::currentIndexChanged, this, &PasswordImportPreview::replan);
    for (QCheckBox* box : { m_cut, m_includeDeleted, m_skipRefused })
        connect(box, &QCheckBox::toggled, this, &PasswordImportPreview::replan);
    replan();
    m_list->setFocus();
}

void PasswordImportPreview::replan()
{
    const auto format = Format(m_format->currentData().toInt());
    PasswordImport::Choices choices;
    choices.cut = m_cut->isChecked();
    choices.includeDeleted = m_includeDeleted->isChecked();
    choices.skipRefused = m_skipRefused->isChecked();
    choices.form = m_form;
    const ImportedPasswords read = PasswordImport::read(m_bytes, format);
    m_plan = PasswordImport::plan(read, m_listed, choices);
    m_list->clear();
    for (const PasswordImport::Planned& planned : std::as_const(m_plan.entries)) {
        auto* item = new QTreeWidgetItem(m_list,
            { planned.origin, planned.entry.name, planned.entry.signOn, whatHappens(planned) });
        // The reason may be longer than the column shows.
        item->setToolTip(3, whatHappens(planned));
    }
    for (const QString& skipped : std::as_const(m_plan.skippedKinds))
        new QTreeWidgetItem(m_list, { skipped.section(u' ', 0, 1), {}, {}, skipped });
    m_list->header()->resizeSections(QHeaderView::ResizeToContents);
    m_summary->setText(summary(m_plan));
    m_cut->setEnabled(m_plan.hasOverLong());
    m_includeDeleted->setVisible(std::any_of(read.entries.cbegin(), read.entries.cend(),
        [](const ImportedPassword& entry) { return entry.deleted; }));
    m_skipRefused->setVisible(m_plan.count(Action::Refuse) > 0);
    m_import->setEnabled(m_plan.canImport());
}
