#include "passwords/ui/GeneratorDialog.h"

#include "passwords/ui/StrengthLine.h"
#include "screens/NamedWidget.h"
#include "screens/SecretClipboard.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

GeneratorDialog::GeneratorDialog(SecretClipboard& secretClipboard, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("GeneratorDialog"));
    setWindowTitle(QStringLiteral("Generate Password"));

    m_length = named(new QSpinBox(this), "GeneratorLength");
    m_length->setRange(PasswordGenerator::MinimumLength, PasswordGenerator::MaximumLength);
    m_length->setValue(PasswordGenerator::DefaultLength);
    m_letters
        = named(new QCheckBox(QStringLiteral("Le&tters (A-Z, a-z)"), this), "GeneratorLetters");
    m_digits = named(new QCheckBox(QStringLiteral("&Digits (0-9)"), this), "GeneratorDigits");
    m_symbols
        = named(new QCheckBox(QStringLiteral("&Symbols (!#$%...)"), this), "GeneratorSymbols");
    m_leaveOutLookAlikes = named(
        new QCheckBox(
            QStringLiteral("Leave out &look-alikes (%1)").arg(PasswordGenerator::LookAlikes), this),
        "GeneratorLookAlikes");
    for (QCheckBox* box : { m_letters, m_digits, m_symbols })
        box->setChecked(true);

    m_password = named(new QLineEdit(this), "GeneratedPassword");
    m_password->setReadOnly(true);
    m_password->setMinimumWidth(m_password->fontMetrics().averageCharWidth() * 52);
    QFont passwordFont(QStringLiteral("MS Sans Serif"));
    passwordFont.setBold(true);
    m_password->setFont(passwordFont);
    secretClipboard.guard(m_password);
    m_strength = new StrengthLine(this);
    auto* again = named(new QPushButton(QStringLiteral("&New Password"), this), "GeneratorNew");

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* use
        = buttons->addButton(QStringLiteral("&Use Password"), QDialogButtonBox::AcceptRole);
    use->setObjectName(QStringLiteral("GeneratorUse"));
    use->setDefault(true);
    buttons->addButton(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("GeneratorCancel"));

    auto* form = new QFormLayout;
    auto* lengthLabel = new QLabel(QStringLiteral("Len&gth (%1 to %2):")
                                       .arg(PasswordGenerator::MinimumLength)
                                       .arg(PasswordGenerator::MaximumLength),
        this);
    lengthLabel->setBuddy(m_length);
    form->addRow(lengthLabel, m_length);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    for (QCheckBox* box : { m_letters, m_digits, m_symbols, m_leaveOutLookAlikes })
        layout->addWidget(box);
    layout->addSpacing(8);
    layout->addWidget(m_password);
    layout->addWidget(m_strength);
    layout->addWidget(again, 0, Qt::AlignLeft);
    layout->addWidget(buttons);

    connect(m_length, &QSpinBox::valueChanged, this, &GeneratorDialog::generate);
    for (QCheckBox* box : { m_letters, m_digits, m_symbols, m_leaveOutLookAlikes })
        connect(box, &QCheckBox::toggled, this, &GeneratorDialog::generate);
    connect(again, &QPushButton::clicked, this, &GeneratorDialog::generate);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    generate();
    m_length->setFocus();
}

PasswordGenerator::Options GeneratorDialog::options() const
{
    return { m_length->value(), m_letters->isChecked(), m_digits->isChecked(),
        m_symbols->isChecked(), m_leaveOutLookAlikes->isChecked() };
}

QString GeneratorDialog::password() const
{
    return m_password->text();
}

void GeneratorDialog::generate()
{
    keepOneClass();
    m_password->setText(PasswordGenerator::generate(options()));
    m_strength->showStrengthOf(m_password->text());
}

void GeneratorDialog::keepOneClass()
{
    const QList<QCheckBox*> classes { m_letters, m_digits, m_symbols };
    const auto on = std::count_if(
        classes.cbegin(), classes.cend(), [](const QCheckBox* box) { return box->isChecked(); });
    for (QCheckBox* box : classes)
        box->setEnabled(on > 1 || !box->isChecked());
}
