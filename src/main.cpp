#include "backup/ui/BackupScreen.h"
#include "bloodpressure/ui/BPTracker.h"
#include "passwords/ui/PasswordKeeper.h"
#include "screens/DBusSessionLockSignal.h"
#include "screens/FirstOpenWarmUp.h"
#include "screens/QtMessageService.h"
#include "screens/QtSystemDialogs.h"
#include "screens/ScreenServices.h"
#include "screens/ShellState.h"
#include "screens/SystemClock.h"
#include "shell/HelpWindow.h"
#include "shell/MainScreen.h"
#include "shell/ProgramStart.h"
#include "storage/DataFolderLocation.h"
#include "storage/ProgramFolder.h"
#include "weight/ui/WeightTracker.h"

#include <QApplication>
#include <QFont>
#include <QTimer>

#include <cstdio>
#include <optional>

int main(int argc, char* argv[])
{
    // --help and --version answer on the terminal, so they need no display
    // and open no window.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    if (const std::optional<QString> answer = ProgramStart::terminalAnswer(arguments)) {
        std::fputs(answer->toLocal8Bit().constData(), stdout);
        return 0;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(DataFolderLocation::applicationName());
    QGuiApplication::setDesktopFileName(QStringLiteral("org.halvorn.halvorn"));
    // The screens were laid out for this face; the metric-compatible
    // Liberation Sans keeps their captions the size they were drawn for.
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));

    QtMessageService messages;
    ProgramStart start(messages);
    if (!start.claimDataFolder(QCoreApplication::arguments(),
            QCoreApplication::applicationDirPath(), DataFolderLocation::userDataFolder()))
        return 1;
    const ProgramFolder folder = start.folder();
    QtSystemDialogs dialogs;
    SystemClock clock;
    HelpWindow help(folder);
    ShellState state;

    DBusSessionLockSignal sessionLock;

    const ScreenServices services { folder, messages, dialogs, clock, state, help,
        &BackupScreen::run, &sessionLock };
    MainScreen mainScreen(services);
    mainScreen.setFunctionScreenFactory(
        FunctionScreen::WeightTracker, [&] { return new WeightTracker(services); });
    mainScreen.setFunctionScreenFactory(
        FunctionScreen::BloodPressureTracker, [&] { return new BPTracker(services); });
    mainScreen.setFunctionScreenFactory(
        FunctionScreen::PasswordKeeper, [&] { return new PasswordKeeper(services); });
    // Exit ends the program at once: the event loop stops and no window is
    // asked to close, so no screen asks its save questions.
    QObject::connect(
        &mainScreen, &MainScreen::exitRequested, &app, [] { QCoreApplication::exit(0); });
    mainScreen.open();
    QTimer::singleShot(0, &FirstOpenWarmUp::run);
    return app.exec();
}
