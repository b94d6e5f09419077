#include "QtMessageService.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {

QMessageBox::Icon boxIcon(MessageService::Icon icon)
{
    switch (icon) {
    case MessageService::Icon::Information:
        return QMessageBox::Information;
    case MessageService::Icon::Question:
        return QMessageBox::Question;
    case MessageService::Icon::Exclamation:
        return QMessageBox::Warning;
    case MessageService::Icon::Critical:
        return QMessageBox::Critical;
    case MessageService::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons boxButtons(MessageService::Buttons buttons)
{
    switch (buttons) {
    case MessageService::Buttons::Ok:
        return QMessageBox::Ok;
    case MessageService::Buttons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageService::Buttons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MessageService::Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::StandardButton boxButton(MessageService::Answer answer)
{
    switch (answer) {
    case MessageService::Answer::Ok:
        return QMessageBox::Ok;
    case MessageService::Answer::Cancel:
        return QMessageBox::Cancel;
    case MessageService::Answer::Yes:
        return QMessageBox::Yes;
    case MessageService::Answer::No:
        return QMessageBox::No;
    }
    return QMessageBox::Ok;
}

// What a box answers when it is closed without a button: Cancel where there
// is one, otherwise No, otherwise Ok.
MessageService::Answer closedAnswer(MessageService::Buttons buttons)
{
    switch (buttons) {
    case MessageService::Buttons::Ok:
        return MessageService::Answer::Ok;
    case MessageService::Buttons::YesNo:
        return MessageService::Answer::No;
    case MessageService::Buttons::OkCancel:
    case MessageService::Buttons::YesNoCancel:
        break;
    }
    return MessageService::Answer::Cancel;
}

} // namespace

MessageService::Answer QtMessageService::show(const Message& message)
{
    QMessageBox box(boxIcon(message.icon), message.title, message.text, boxButtons(message.buttons),
        QApplication::activeWindow());
    QAbstractButton* defaultButton = box.button(boxButton(message.defaultButton));
    if (defaultButton != nullptr)
        box.setDefaultButton(qobject_cast<QPushButton*>(defaultButton));
    // A Yes/No box has no Cancel; Esc then means No, never Yes.
    if (message.buttons == Buttons::YesNo)
        box.setEscapeButton(QMessageBox::No);
    box.exec();

    switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        break;
    }
    return closedAnswer(message.buttons);
}

std::optional<QString> QtMessageService::input(
    const QString& prompt, const QString& title, const QString& defaultText)
{
    bool accepted = false;
    const QString text = QInputDialog::getText(
        QApplication::activeWindow(), title, prompt, QLineEdit::Normal, defaultText, &accepted);
    if (!accepted)
        return std::nullopt;
    return text;
}
