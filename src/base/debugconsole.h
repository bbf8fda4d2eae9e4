#pragma once

#include <QObject>
#include <QStringList>

// The debug console's two lists: console lines (host lines sent and received, start-up facts,
// errors) and status lines (link events). Lines are kept only while the gate is open, which
// is the Debug menu's visibility ("DebugMode" is "On"); gated lines are dropped, not buffered.
class DebugConsole : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    void setEnabled(bool enabled) { m_enabled = enabled; }
    bool isEnabled() const { return m_enabled; }

    void ConsolePrint(const QString& text);
    void StatusPrint(const QString& text);

    const QStringList& consoleLines() const { return m_console; }
    const QStringList& statusLines() const { return m_status; }
    void clear();

    // The first entry to show so that the last ten are in view.
    static int firstVisibleIndex(int count) { return count > 10 ? count - 10 : 0; }

signals:
    void consoleLineAdded(const QString& text);
    void statusLineAdded(const QString& text);
    void cleared();

private:
    bool m_enabled = false;
    QStringList m_console;
    QStringList m_status;
};
