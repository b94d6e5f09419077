#pragma once

// Opens the program's help at a topic. Screens name topics by the fixed
// context numbers the help pages are filed under (1000 the main screen, 1005
// backup and restore, ...).
class HelpService
{
public:
    virtual ~HelpService() = default;
    virtual void showHelpTopic(int context) = 0;
};
