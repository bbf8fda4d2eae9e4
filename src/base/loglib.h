#pragma once

#include <QString>

// LogLib: the trace log, one plain text file written with QFile (no platform log service).
// Lines are appended, the file opened and closed for every line so it can be read, moved or
// deleted while the program runs.
class LogLib {
public:
    explicit LogLib(QString filePath) : m_filePath(std::move(filePath)) {}

    // Written when level is -1, or when the threshold is not 0 and level >= threshold.
    // A file that cannot be opened loses the line silently.
    void WriteLog(const QString& text, int level);
    void SetLogLevel(int level) { m_threshold = level; }
    int logLevel() const { return m_threshold; }
    bool wouldWrite(int level) const;
    const QString& filePath() const { return m_filePath; }

private:
    QString m_filePath;
    int m_threshold = 0;
};

// Writes ">>> Module:Operation" on construction and "<<< Module:Operation" on destruction,
// at level 1, for the operations of the main window, the host link and the language dialog.
// The detail (a host line, for one) is written through GEnLib::LogSafe.
class TraceScope {
public:
    TraceScope(LogLib& log, const char* module, const char* operation);
    TraceScope(LogLib& log, const char* module, const char* operation, const QString& detail);
    ~TraceScope();
    TraceScope(const TraceScope&) = delete;
    TraceScope& operator=(const TraceScope&) = delete;

private:
    LogLib& m_log;
    QString m_name;
};
