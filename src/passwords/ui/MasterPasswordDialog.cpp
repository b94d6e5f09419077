#include "MasterPasswordDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLineEdit* maskedBox(const char* name, QWidget* parent)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setEchoMode(QLineEdit::Password);
    return box;
}

} // namespace

MasterPasswordDialog::MasterPasswordDialog(Asks asks, const QString& title, QWidget* parent)
    : QDialog(parent)
    , m_asks(asks)
    , m_hint(new QLabel(this))
{
    setObjectName(QStringLiteral("MasterPasswordDialog"));
    setWindowTitle(title);
    auto* form = new QFormLayout;
    if (asks != Asks::New) {
        m_current = maskedBox("CurrentMasterPassword", this);
        form->addRow(QStringLiteral("&Master Password:"), m_current);
    }
    if (asks != Asks::Current) {
        m_new = maskedBox("NewMasterPassword", this);
        m_repeat = maskedBox("RepeatMasterPassword", this);
        form->addRow(QStringLiteral("&New Master Password:"), m_new);
        form->addRow(QStringLiteral("&Repeat It:"), m_repeat);
        m_hint->setText(QStringLiteral(
            "There is no way to open the keeper without it: keep it somewhere safe."));
    }
    m_hint->setObjectName(QStringLiteral("MasterPasswordHint"));
    m_hint->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_hint);
    layout->addWidget(buttons);
    for (QLineEdit* box : { m_current, m_new, m_repeat }) {
        if (box)
            connect(box, &QLineEdit::textChanged, this, &MasterPasswordDialog::check);
    }
    setMinimumWidth(420);
    check();
}

QByteArray MasterPasswordDialog::currentPassword() const
{
    return m_current ? m_current->text().toUtf8() : QByteArray();
}

QByteArray MasterPasswordDialog::newPassword() const
{
    return m_new ? m_new->text().toUtf8() : QByteArray();
}

void MasterPasswordDialog::check()
{
    bool ready = !m_current || !m_current->text().isEmpty();
    if (m_new) {
        const bool matches = m_new->text() == m_repeat->text();
        ready = ready && !m_new->text().isEmpty() && matches;
        m_hint->setText(!m_repeat->text().isEmpty() && !matches
                ? QStringLiteral("The two new passwords differ.")
                : QStringLiteral("There is no way to open the keeper without it: keep it "
                                 "somewhere safe."));
    }
    m_ok->setEnabled(ready);
}
