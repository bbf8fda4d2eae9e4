// Wires the real platform services to the main window and runs the program.
#include "platform/clock.h"
#include "platform/folders.h"
#include "platform/hosttransportdbus.h"
#include "platform/qsettingsstore.h"
#include "platform/widgetprompts.h"
#include "shell/debugconsole.h"
#include "shell/languagepack.h"
#include "shell/loglib.h"
#include "shell/mainform.h"
#include "shell/services.h"
#include "shell/singleinstance.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Quenlark"));
    QApplication::setApplicationName(QStringLiteral("Quenlark"));
    QApplication::setApplicationVersion(QStringLiteral(QUENLARK_VERSION));
    // The program lives on in the tray while every window is hidden; it ends through the
    // main window or the tray's "Exit".
    QApplication::setQuitOnLastWindowClosed(false);

    QSettingsStore settings;
    WidgetPrompts prompts;
    SystemClock clock;
    StandardFolders folders;
    LogLib log(folders.userDataPath() + QStringLiteral("/logfile.txt"));
    DebugConsole console;
    LanguagePack language(folders.shippedFilesPath());
    Services services{settings, prompts, clock, folders, log, console, language};

    SingleInstance instance;
    DBusHostTransport transport;
    MainForm mainForm(services, transport, instance);
    if (!mainForm.Form_Load())
        return mainForm.exitCode();
    mainForm.show();
    return app.exec();
}
