#include "shell/MainMenuPanel.h"

#include "services/ProgramInfo.h"

#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

MainMenuPanel::MainMenuPanel(QWidget* parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("Panel3D7"));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setLineWidth(3);
    setAutoFillBackground(true);
    QPalette panelPalette = palette();
    panelPalette.setColor(QPalette::Window, QApplication::palette().color(QPalette::Window));
    setPalette(panelPalette);

    auto* caption = new QLabel(ProgramInfo::name(), this);
    caption->setObjectName(QStringLiteral("Panel3D7Caption"));
    caption->setAlignment(Qt::AlignCenter);
    QFont captionFont(QStringLiteral("Times New Roman"));
    captionFont.setPointSize(22);
    captionFont.setBold(true);
    caption->setFont(captionFont);

    auto* panelLayout = new QVBoxLayout(this);
    panelLayout->setContentsMargins(28, 16, 28, 12);
    panelLayout->setSpacing(10);
    panelLayout->addWidget(caption);
    panelLayout->addSpacing(6);

    QFont buttonFont(QStringLiteral("Times New Roman"));
    buttonFont.setPointSize(12);
    buttonFont.setBold(true);
    const struct {
        int index;
        const char* caption;
    } buttons[] = { { 0, "&Weight Tracker" }, { 6, "&Blood Pressure Tracker" },
        { 2, "&Password Keeper" }, { 4, "&Help" }, { 5, "E&xit" } };
    for (const auto& entry : buttons) {
        auto* button = new QPushButton(QString::fromLatin1(entry.caption), this);
        button->setObjectName(QStringLiteral("SSCommand1_%1").arg(entry.index));
        button->setFont(buttonFont);
        button->setMinimumHeight(34);
        panelLayout->addWidget(button);
        const int index = entry.index;
        connect(button, &QPushButton::clicked, this, [this, index] {
            switch (index) {
            case 0:
                emit functionChosen(FunctionScreen::WeightTracker);
                break;
            case 2:
                emit functionChosen(FunctionScreen::PasswordKeeper);
                break;
            case 4:
                emit helpChosen();
                break;
            case 5:
                emit exitChosen();
                break;
            case 6:
                emit functionChosen(FunctionScreen::BloodPressureTracker);
                break;
            default:
                break;
            }
        });
    }

    auto* version = new QLabel(ProgramInfo::version(), this);
    version->setObjectName(QStringLiteral("Label6"));
    version->setAlignment(Qt::AlignCenter);
    panelLayout->addSpacing(4);
    panelLayout->addWidget(version);
    setFixedSize(sizeHint().expandedTo(QSize(340, 0)));
}
