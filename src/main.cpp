// Chooses every backend once (the real platform services, the D-Bus host link, the sound
// server from the environment), builds the session and its main window, and runs the program.
#include "app/session.h"
#include "base/debugconsole.h"
#include "base/languagepack.h"
#include "base/loglib.h"
#include "base/services.h"
#include "platform/audiochoice.h"
#include "platform/clock.h"
#include "platform/folders.h"
#include "platform/hosttransportdbus.h"
#include "platform/mixer.h"
#include "platform/qsettingsstore.h"
#include "platform/singleinstance.h"
#include "platform/terminationsignals.h"
#include "platform/widgetprompts.h"
#include "shell/automation.h"
#include "shell/consoleform.h"
#include "shell/mainform.h"
#include "shell/mainformwindows.h"
#include "shell/startclicks.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Quenlark"));
    QApplication::setApplicationName(QStringLiteral("Quenlark"));
    QApplication::setApplicationVersion(QStringLiteral(QUENLARK_VERSION));
    // The launcher entry's name: desktops match the windows and the notifications to it.
    QApplication::setDesktopFileName(QStringLiteral("org.quenlark.Quenlark"));
    // The program lives on in the tray while every window is hidden; it ends through the
    // main window or the tray's "Exit".
    QApplication::setQuitOnLastWindowClosed(false);

    QCommandLineParser options;
    options.setApplicationDescription(
        QStringLiteral("Answering machine, call recorder and notifier beside a chat host."));
    options.addHelpOption();
    options.addVersionOption();
    const QCommandLineOption consoleOption(
        QStringLiteral("console"),
        QStringLiteral("Show the debug console window at start (when DebugMode is On)."));
    options.addOption(consoleOption);
    const QCommandLineOption automationOption(
        QStringLiteral("automation"),
        QStringLiteral(
            "Let tests drive the windows over the session bus (org.quenlark.Automation)."));
    options.addOption(automationOption);
    // For scripts that show every window (pictures, accessibility checks); off unless given.
    const QCommandLineOption openOption(
        QStringLiteral("open"),
        QStringLiteral("After start, click the menu item or button named NAME in a shown window "
                       "(repeatable: the clicks follow one another)."),
        QStringLiteral("NAME"));
    options.addOption(openOption);
    options.process(app);

    QSettingsStore settings;
    WidgetPrompts prompts;
    SystemClock clock;
    StandardFolders folders;
    LogLib log(folders.userDataPath() + QStringLiteral("/logfile.txt"));
    DebugConsole console;
    LanguagePack language(folders.shippedFilesPath());
    Services services{settings, prompts, clock, folders, log, console, language};
    // A settings file the program must not write is named in the log (always written), on
    // standard error and, with the Debug menu on, in the console.
    if (!settings.problem().isEmpty()) {
        log.WriteLog(settings.problem(), -1);
        qWarning("%s", qPrintable(settings.problem()));
    }

    SingleInstance instance;
    DBusHostTransport transport;
    const AudioChoice audio = AudioChoice::fromEnvironment();
    Session session(services, SessionBackends{transport, audio.createSound(), audio.createMixer(),
                                              nullptr, nullptr, QDBusConnection::sessionBus()});
    MainForm mainForm(services, session, instance);
    if (!mainForm.Form_Load())
        return mainForm.exitCode();
    mainForm.show();
    if (!settings.problem().isEmpty())
        console.ConsolePrint(settings.problem());
    // The console is a tool of the Debug menu: it opens only where that menu is shown.
    if (options.isSet(consoleOption) && mainForm.core().debugMode())
        mainForm.windows().console().show();
    Automation automation;
    if (options.isSet(automationOption)) {
        QString error;
        if (!automation.open(QDBusConnection::sessionBus(), &error))
            qWarning("automation: %s", qPrintable(error));
    }
    StartClicks::clickInTurn(options.values(openOption));
    // SIGTERM, SIGINT and SIGHUP end the program the orderly way, through every destructor.
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::terminationRequested, &app,
                     &QCoreApplication::quit);
    return app.exec();
}
