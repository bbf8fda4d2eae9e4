// Wires the real platform services to the windows. The main window arrives with the host link.
#include "platform/clock.h"
#include "platform/folders.h"
#include "platform/qsettingsstore.h"
#include "platform/widgetprompts.h"
#include "shell/consoleform.h"
#include "shell/debugconsole.h"
#include "shell/languagedialog.h"
#include "shell/languagepack.h"
#include "shell/loglib.h"
#include "shell/services.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Quenlark"));
    QApplication::setApplicationName(QStringLiteral("Quenlark"));
    QApplication::setApplicationVersion(QStringLiteral(QUENLARK_VERSION));

    QSettingsStore settings;
    WidgetPrompts prompts;
    SystemClock clock;
    StandardFolders folders;
    LogLib log(folders.userDataPath() + QStringLiteral("/logfile.txt"));
    DebugConsole console;
    LanguagePack language(folders.shippedFilesPath());
    Services services{settings, prompts, clock, folders, log, console, language};

    LanguageDialog languageDialog(services);
    ConsoleForm consoleForm(services);
    consoleForm.show();
    return app.exec();
}
