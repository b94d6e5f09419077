#pragma once

#include "storage/ProgramFolder.h"

#include <QDialog>

class QMenu;
class SystemDialogs;

// "About Halvorn": name, version, the maker's notices and web site. Created
// for each opening and gone when closed.
class AboutBox : public QDialog
{
    Q_OBJECT

public:
    AboutBox(const ProgramFolder& folder, SystemDialogs& dialogs, QWidget* mainWindow);

    // Centred over the main window, a little below its centre.
    void placeOver(const QWidget& mainWindow);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    SystemDialogs& m_dialogs;
    QMenu* m_optionsMenu;
};
