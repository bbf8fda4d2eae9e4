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

// The program's services as a user without "DebugMode" has them (console closed, log level 0),
// every folder in a temporary directory of the benchmark's own.
struct BenchServices {
    BenchServices();
    QString path(const QString& name) const { return dir.filePath(name); }

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
