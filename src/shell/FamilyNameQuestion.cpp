#include "shell/FamilyNameQuestion.h"

#include "screens/ShowFailure.h"
#include "services/MessageService.h"
#include "storage/ZorqNameFile.h"

#include <QStringList>

FamilyNameQuestion::FamilyNameQuestion(const ProgramFolder& folder, MessageService& messages)
    : m_folder(folder)
    , m_messages(messages)
{ }

QString FamilyNameQuestion::ask(const QString& stored) const
{
    const QString prompt
        = QStringList { QStringLiteral(
                            "Please Enter Family Name for use in the Various Program areas."),
              QStringLiteral("To Accept name,"), QStringLiteral("click OK."),
              QStringLiteral("To Delete name,"),
              QStringLiteral("click Cancel or press <Esc> key.") }
              .join(QLatin1Char('\n'));
    const QString answer
        = m_messages.input(prompt, QStringLiteral("Family Name"), stored).value_or(QString());

    QString newName = answer;
    if (answer.isEmpty() && !stored.isEmpty()) {
        const MessageService::Answer deleteIt
            = m_messages.show({ QStringLiteral("Delete Family Name - ") + stored + QLatin1Char('?'),
                QStringLiteral("Family Name"), MessageService::Icon::Question,
                MessageService::Buttons::YesNo, MessageService::Answer::No });
        newName = deleteIt == MessageService::Answer::Yes ? QString() : stored;
    }
    newName = newName.left(ZorqNameFile::MaximumNameLength);
    if (const Outcome outcome = ZorqNameFile(m_folder).setFamilyName(newName); !outcome.succeeded)
        showSettingFailure(
            m_messages, outcome, QStringLiteral("family name"), QStringLiteral("Family Name"));
    return newName;
}
