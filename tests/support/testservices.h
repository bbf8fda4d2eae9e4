#pragma once

#include "base/debugconsole.h"
#include "base/languagepack.h"
#include "base/loglib.h"
#include "base/services.h"
#include "fakeclock.h"
#include "fixedfolders.h"
#include "memorysettingsstore.h"
#include "queuedprompts.h"

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
