#pragma once

class Clock;
class DebugConsole;
class Folders;
class LanguagePack;
class LogLib;
class Prompts;
class SettingsStore;

// The platform services and shared program state every feature is handed at construction.
// main.cpp fills it with the real backends; tests fill it with the test backends.
struct Services {
    SettingsStore& settings;
    Prompts& prompts;
    Clock& clock;
    Folders& folders;
    LogLib& log;
    DebugConsole& console;
    LanguagePack& language;
};
