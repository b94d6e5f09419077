#include "UnlockPanel.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

UnlockPanel::UnlockPanel(QWidget* parent)
    : QFrame(parent)
    , m_passwordBox(new QLineEdit(this))
    , m_unlockButton(new QPushButton(QStringLiteral("&Unlock"), this))
    , m_problem(new QLabel(this))
{
    setObjectName(QStringLiteral("UnlockPanel"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);

    auto* heading = new QLabel(
        QStringLiteral("This Password Keeper is protected. Enter the master password to open "
                       "it."),
        this);
    heading->setWordWrap(true);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    auto* caption = new QLabel(QStringLiteral("&Master Password"), this);
    caption->setBuddy(m_passwordBox);
    m_passwordBox->setObjectName(QStringLiteral("MasterPasswordBox"));
    m_passwordBox->setEchoMode(QLineEdit::Password);
    m_passwordBox->setAccessibleName(QStringLiteral("Master Password"));
    m_unlockButton->setObjectName(QStringLiteral("UnlockButton"));
    m_unlockButton->setDefault(true);
    m_unlockButton->setAutoDefault(true);
    m_problem->setObjectName(QStringLiteral("UnlockProblem"));
    m_problem->setWordWrap(true);

    auto* layout = new QGridLayout(this);
    layout->addWidget(heading, 0, 0, 1, 3);
    layout->addWidget(caption, 1, 0);
    layout->addWidget(m_passwordBox, 1, 1);
    layout->addWidget(m_unlockButton, 1, 2);
    layout->addWidget(m_problem, 2, 0, 1, 3);
    layout->setColumnStretch(1, 1);
    layout->setContentsMargins(24, 18, 24, 18);
    layout->setVerticalSpacing(12);
    setMinimumWidth(460);

    connect(m_unlockButton, &QPushButton::clicked, this, &UnlockPanel::requestUnlock);
    connect(m_passwordBox, &QLineEdit::returnPressed, this, &UnlockPanel::requestUnlock);
}

void UnlockPanel::requestUnlock()
{
    if (!m_unlockButton->isEnabled())
        return;
    const QByteArray password = m_passwordBox->text().toUtf8();
    m_passwordBox->clear();
    emit unlockRequested(password);
}

void UnlockPanel::showProblem(const QString& text)
{
    m_passwordBox->clear();
    m_problem->setText(text);
}

void UnlockPanel::setWaiting(bool waiting)
{
    m_unlockButton->setEnabled(!waiting);
}

void UnlockPanel::focusPassword()
{
    m_passwordBox->setFocus();
}
