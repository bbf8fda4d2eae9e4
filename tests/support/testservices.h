#pragma once

#include "platform/clock.h"
#include "platform/folders.h"
#include "platform/memorysettingsstore.h"
#include "platform/queuedprompts.h"
#include "shell/debugconsole.h"
#include "shell/languagepack.h"
#include "shell/loglib.h"
#include "shell/services.h"

#include <QTemporaryDir>

// Every platform service with its test backend, in a temporary folder of its own:
// documents in <tmp>/Documents, per-user data in <tmp>/user, shipped files from the build.
struct TestServices {
    TestServices();
    QString tempPath() const { return dir.path(); }

    QTemporaryDir dir;
    MemorySettingsStore settings;
    QueuedPrompts prompts;
    FakeClock clock;
    FixedFolders folders;
    LogLib log;
    DebugConsole console;
    LanguagePack language;
    Services services;
};

// Writes a file under the test's temporary folder and returns its path.
QString writeTestFile(const QString& path, const QByteArray& contents);
