#include "loglib.h"

#include "genlibtext.h"

#include <QFile>

bool LogLib::wouldWrite(int level) const {
    return level == -1 || (m_threshold != 0 && level >= m_threshold);
}

void LogLib::WriteLog(const QString& text, int level) {
    if (!wouldWrite(level))
        return;
    QFile file(m_filePath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return;
    file.write(text.toUtf8() + "\r\n");
}

TraceScope::TraceScope(LogLib& log, const char* module, const char* operation)
    : m_log(log), m_name(QString::fromUtf8(module) + u':' + QString::fromUtf8(operation)) {
    if (m_log.wouldWrite(1))
        m_log.WriteLog(QStringLiteral(">>> ") + m_name, 1);
}

TraceScope::TraceScope(LogLib& log, const char* module, const char* operation,
                       const QString& detail)
    : m_log(log), m_name(QString::fromUtf8(module) + u':' + QString::fromUtf8(operation)) {
    if (m_log.wouldWrite(1))
        m_log.WriteLog(QStringLiteral(">>> ") + m_name + u'[' + GEnLib::LogSafe(detail) + u']', 1);
}

TraceScope::~TraceScope() {
    if (m_log.wouldWrite(1))
        m_log.WriteLog(QStringLiteral("<<< ") + m_name, 1);
}
