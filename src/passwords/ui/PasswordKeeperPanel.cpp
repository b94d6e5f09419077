#include "passwords/ui/PasswordKeeperPanel.h"

#include "passwords/ui/PasswordEntryBoxes.h"
#include "passwords/ui/PasswordList.h"
#include "screens/AccessibleNames.h"
#include "screens/CommandButton.h"
#include "screens/GuardedComboBox.h"
#include "screens/NamedWidget.h"
#include "screens/TabOrder.h"

#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

PasswordKeeperPanel::PasswordKeeperPanel(
    const Commands& commands, SecretClipboard& secretClipboard, QWidget* parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("Panel3D1"));
    setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    setAutoFillBackground(true);

    auto heading = [this](const QString& text, int index) {
        QLabel* label = named(new QLabel(text, this), arrayElementName("Label1", index));
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
        return label;
    };
    QLabel* listHeading = heading(QStringLiteral("Select Existing Password Files:"), 5);
    QLabel* boxesHeading
        = heading(QStringLiteral("View Existing Password Files or Create New Password Files:"), 6);
    QLabel* listLabel = named(
        new QLabel(QStringLiteral("Web address, Location, Service,Card, etc.:      "), this),
        arrayElementName("Label1", 0));

    m_list = new PasswordList(this, this);
    m_normalColourBox = named(new QLineEdit(this), "Text2");
    m_normalColourBox->hide();
    m_swatch = named(new QLabel(this), "Label3");
    m_swatch->hide();
    m_boxes = new PasswordEntryBoxes(this, m_normalColourBox, secretClipboard, this);

    m_newButton = named(new QPushButton(QStringLiteral("&New File"), this), "Command5");
    auto* saveButton = new CommandButton(commands.save, "Command2", QStringLiteral("&Save"), this);
    auto* printButton
        = new CommandButton(commands.print, "Command3", QStringLiteral("&Print Options"), this);
    auto* deleteButton
        = new CommandButton(commands.deleteEntry, "Command4", QStringLiteral("&Delete"), this);
    auto* launchButton
        = new CommandButton(commands.launch, "Command6", QStringLiteral("&Launch"), this);
    // Launch is the one command without the Options menu on its right click.
    launchButton->setContextMenuPolicy(Qt::PreventContextMenu);
    m_exitButton = new CommandButton(commands.exit, "Command1", QStringLiteral("E&xit"), this);
    auto* commandRow = new QHBoxLayout;
    for (QPushButton* button : { m_newButton, static_cast<QPushButton*>(saveButton),
             static_cast<QPushButton*>(printButton), static_cast<QPushButton*>(deleteButton),
             static_cast<QPushButton*>(launchButton), m_exitButton })
        commandRow->addWidget(button);

    AccessibleNames::labelField(listLabel, m_list->box());
    auto* listRow = new QHBoxLayout;
    listRow->addWidget(listLabel);
    listRow->addWidget(m_list->box());
    listRow->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 16, 24, 16);
    layout->addWidget(listHeading);
    layout->addLayout(listRow);
    layout->addSpacing(16);
    layout->addWidget(boxesHeading);
    layout->addLayout(m_boxes->captionedBoxes());
    layout->addSpacing(12);
    layout->addLayout(commandRow);
    TabOrder::followLayout(this);
}
