#include "passwords/ui/PasswordEntryBoxes.h"

#include "passwords/PasswordFiles.h"
#include "passwords/ui/GeneratorDialog.h"
#include "passwords/ui/StrengthLine.h"
#include "screens/AccessibleNames.h"
#include "screens/EntryBoxGroup.h"
#include "screens/EntryBoxRules.h"
#include "screens/NamedWidget.h"
#include "screens/SecretClipboard.h"
#include "screens/TabOrder.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <array>

namespace {

constexpr int GenerateSpacing = 6;

} // namespace

PasswordEntryBoxes::PasswordEntryBoxes(
    QWidget* panel, QLineEdit* normalColourBox, SecretClipboard& secretClipboard, QObject* parent)
    : QObject(parent)
    , m_secretClipboard(secretClipboard)
    , m_commentLimit(PasswordFiles::MaximumCommentLength)
{
    m_nameBox = named(new QLineEdit(panel), arrayElementName("Text1", 0));
    m_nameBox->setMaxLength(PasswordFiles::MaximumNameLength);
    m_signOnBox = named(new QLineEdit(panel), arrayElementName("Text1", 1));
    m_signOnBox->setMaxLength(PasswordFiles::MaximumSignOnLength);
    // Shown in clear on purpose, in a bold face that tells 1, l and I apart.
    m_passwordBox = named(new QLineEdit(panel), arrayElementName("Text1", 2));
    m_passwordBox->setMaxLength(PasswordFiles::MaximumPasswordLength);
    QFont passwordFont(QStringLiteral("MS Sans Serif"));
    passwordFont.setBold(true);
    m_passwordBox->setFont(passwordFont);
    secretClipboard.guard(m_passwordBox);
    m_generateButton = named(new QPushButton(QStringLiteral("&Generate"), panel), "GenerateButton");
    m_strengthLine = new StrengthLine(panel);
    connect(m_passwordBox, &QLineEdit::textChanged, m_strengthLine, &StrengthLine::showStrengthOf);
    connect(m_generateButton, &QPushButton::clicked, this, &PasswordEntryBoxes::generatePassword);
    m_commentBox = named(new QPlainTextEdit(panel), arrayElementName("Text1", 3));
    TabOrder::moveFocusOnTab(m_commentBox);
    m_commentBox->setFixedHeight(m_commentBox->fontMetrics().lineSpacing() * 4 + 12);

    m_entryBoxes = new EntryBoxGroup(normalColourBox, this);
    // The screen puts its cursor on Exit; the first box to get the focus is
    // the user's choice and is highlighted.
    m_entryBoxes->setSkipsFirstFocus(false);
    const QList<QLineEdit*> lineBoxes { m_nameBox, m_signOnBox, m_passwordBox };
    for (int index = 0; index < lineBoxes.size(); ++index) {
        QLineEdit* box = lineBoxes[index];
        m_entryBoxes->add(box, index);
        box->installEventFilter(this);
        box->setMinimumWidth(box->fontMetrics().averageCharWidth() * 50);
    }
    // The password row, Generate included, is no wider than the others, so
    // that the panel still fits the smallest screen.
    m_passwordBox->setMinimumWidth(
        m_nameBox->minimumWidth() - m_generateButton->sizeHint().width() - GenerateSpacing);
    m_entryBoxes->add(m_commentBox, 3);
    m_commentBox->installEventFilter(this);
    connect(m_entryBoxes, &EntryBoxGroup::edited, this, [this](int index) {
        if (index == 0)
            EntryBoxRules::applyNameRule(m_nameBox);
        emit touched();
    });
    connect(m_nameBox, &QLineEdit::textChanged, this, &PasswordEntryBoxes::textChanged);
    connect(m_commentBox, &QPlainTextEdit::textChanged, this, &PasswordEntryBoxes::commentChanged);

    m_captionedBoxes = new QGridLayout;
    const std::array<QString, 4> captions {
        QStringLiteral("Web address, Location, Service,Card, etc.:"),
        QStringLiteral("Sign On ID, Login ID, User ID, etc.:"),
        QStringLiteral("Password, PIN No., Secret #, etc.:"),
        QStringLiteral("Comments, Notes, Remarks, etc.:"),
    };
    const QList<QWidget*> fields = boxes();
    // The strength line takes the row under the password.
    constexpr std::array<int, 4> gridRows { 0, 1, 2, 4 };
    for (int row = 0; row < 4; ++row) {
        auto* caption
            = named(new QLabel(captions[row], panel), arrayElementName("Label1", row + 1));
        AccessibleNames::labelField(caption, fields[row]);
        const int gridRow = gridRows[std::size_t(row)];
        m_captionedBoxes->addWidget(caption, gridRow, 0, row == 3 ? Qt::AlignTop : Qt::Alignment());
        if (fields[row] != m_passwordBox) {
            m_captionedBoxes->addWidget(fields[row], gridRow, 1);
            continue;
        }
        auto* passwordRow = new QHBoxLayout;
        passwordRow->setSpacing(GenerateSpacing);
        passwordRow->addWidget(m_passwordBox, 1);
        passwordRow->addWidget(m_generateButton);
        m_captionedBoxes->addLayout(passwordRow, gridRow, 1);
    }
    m_captionedBoxes->addWidget(m_strengthLine, 3, 1);
}

QList<QWidget*> PasswordEntryBoxes::boxes() const
{
    return { m_nameBox, m_signOnBox, m_passwordBox, m_commentBox };
}

PasswordEntry PasswordEntryBoxes::shownEntry() const
{
    return { m_nameBox->text(), m_signOnBox->text(), m_passwordBox->text(),
        m_commentBox->toPlainText() };
}

void PasswordEntryBoxes::showEntry(const PasswordEntry& entry)
{
    m_filling = true;
    m_nameBox->setText(entry.name);
    m_signOnBox->setText(entry.signOn);
    m_passwordBox->setText(entry.password);
    // A comment pasted on another system may hold CR LF line breaks.
    QString comment = entry.comment;
    comment.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    m_commentBox->setPlainText(comment);
    m_filling = false;
}

bool PasswordEntryBoxes::anyBoxHoldsText() const
{
    const PasswordEntry entry = shownEntry();
    return !(entry.name.isEmpty() && entry.signOn.isEmpty() && entry.password.isEmpty()
        && entry.comment.isEmpty());
}

void PasswordEntryBoxes::fillPassword(const QString& password)
{
    m_passwordBox->setText(password);
    emit touched();
}

void PasswordEntryBoxes::setTextForm(KeeperText::Form form)
{
    const int units = form == KeeperText::Form::Classic ? 1 : 2;
    m_nameBox->setMaxLength(PasswordFiles::MaximumNameLength * units);
    m_signOnBox->setMaxLength(PasswordFiles::MaximumSignOnLength * units);
    m_passwordBox->setMaxLength(PasswordFiles::MaximumPasswordLength * units);
    m_commentLimit = PasswordFiles::MaximumCommentLength * units;
}

void PasswordEntryBoxes::generatePassword()
{
    GeneratorDialog dialog(m_secretClipboard, m_passwordBox->window());
    if (dialog.exec() == QDialog::Accepted)
        fillPassword(dialog.password());
    m_passwordBox->setFocus();
}

void PasswordEntryBoxes::commentChanged()
{
    emit textChanged();
    if (m_filling)
        return;
    EntryBoxRules::applyLengthLimit(m_commentBox, m_commentLimit);
    // Typed, pasted or dropped: the multi-line box tells no user edit apart.
    emit touched();
}

bool PasswordEntryBoxes::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyRelease)
        emit touched();
    return QObject::eventFilter(watched, event);
}
