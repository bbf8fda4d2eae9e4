#include "debugconsole.h"

void DebugConsole::ConsolePrint(const QString& text) {
    if (!m_enabled)
        return;
    m_console << text;
    emit consoleLineAdded(text);
}

void DebugConsole::StatusPrint(const QString& text) {
    if (!m_enabled)
        return;
    m_status << text;
    emit statusLineAdded(text);
}

void DebugConsole::clear() {
    m_console.clear();
    m_status.clear();
    emit cleared();
}
