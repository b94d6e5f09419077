#pragma once

#include "storage/ProgramFolder.h"

#include <QString>

class MessageService;

// "&Family Name": asks for the family name the screens' titles carry, and
// whether to delete it when the answer is empty, then stores it in
// ZorqName.Fil.
class FamilyNameQuestion
{
public:
    FamilyNameQuestion(const ProgramFolder& folder, MessageService& messages);

    // The name the user settled on, starting from the stored one. It holds
    // for this session even when it cannot be stored; the user is told it
    // will be gone at the next start.
    QString ask(const QString& stored) const;

private:
    ProgramFolder m_folder;
    MessageService& m_messages;
};
