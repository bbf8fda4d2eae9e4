#pragma once

#include <QDir>
#include <QProcess>
#include <QString>
#include <QStringList>

// Runs tests/notify/smtp_sink.py, a real SMTP server (aiosmtpd) on a free loopback port, for
// as long as this object lives. Received messages are stored in the folder given.
class SmtpSinkProcess {
public:
    SmtpSinkProcess(QString script, QString folder)
        : m_script(std::move(script)), m_folder(std::move(folder)) {}
    ~SmtpSinkProcess() { stop(); }
    SmtpSinkProcess(const SmtpSinkProcess&) = delete;
    SmtpSinkProcess& operator=(const SmtpSinkProcess&) = delete;

    // False with a reason when the server did not come up within ten seconds.
    bool start(QString* error) {
        QDir().mkpath(m_folder);
        m_process.start(QStringLiteral("/usr/bin/python3"), {m_script, m_folder});
        if (!m_process.waitForStarted(5000)) {
            *error = QStringLiteral("cannot run /usr/bin/python3");
            return false;
        }
        for (int i = 0; i < 100 && m_port == 0; ++i) {
            if (!m_process.canReadLine() && !m_process.waitForReadyRead(100) &&
                m_process.state() == QProcess::NotRunning)
                break;
            while (m_process.canReadLine()) {
                const QByteArray line = m_process.readLine().trimmed();
                if (line.startsWith("PORT "))
                    m_port = static_cast<quint16>(line.mid(5).toUInt());
                else
                    *error = QString::fromUtf8(line);
            }
        }
        if (m_port == 0 && error->isEmpty())
            *error = QStringLiteral("the SMTP server did not start");
        return m_port != 0;
    }

    quint16 port() const { return m_port; }
    bool missingAiosmtpd() const {
        return m_process.state() == QProcess::NotRunning && m_process.exitCode() == 3;
    }

    // The stored messages that are complete, oldest first (paths of their .eml files).
    QStringList messages() const {
        const QDir dir(m_folder);
        QStringList paths;
        for (const QString& json :
             dir.entryList({QStringLiteral("mail*.json")}, QDir::Files, QDir::Name))
            paths << dir.filePath(json.chopped(5) + QStringLiteral(".eml"));
        return paths;
    }

    void stop() {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.closeWriteChannel(); // the server stops at the end of its input
        if (!m_process.waitForFinished(5000)) {
            m_process.kill();
            m_process.waitForFinished(2000);
        }
    }

private:
    QString m_script;
    QString m_folder;
    QProcess m_process;
    quint16 m_port = 0;
};
