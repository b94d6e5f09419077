#pragma once

#include "services/HelpService.h"
#include "storage/ProgramFolder.h"

#include <QWidget>

class QTextBrowser;

// The help viewer: one HTML page per context number, kept in the "help"
// folder the program ships with ("help/1000.html", ...). Pages link to each other
// by file name.
class HelpWindow : public QWidget, public HelpService
{
    Q_OBJECT

public:
    explicit HelpWindow(const ProgramFolder& folder, QWidget* parent = nullptr);

    void showHelpTopic(int context) override;

    // The context shown last, 0 before any.
    int currentTopic() const { return m_currentTopic; }
    QString pageFilePath(int context) const;
    QTextBrowser* browser() const { return m_browser; }

private:
    ProgramFolder m_folder;
    QTextBrowser* m_browser;
    int m_currentTopic = 0;
    bool m_placed = false;
};
