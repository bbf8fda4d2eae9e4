#pragma once

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSslConfiguration>

// The SMTP servers of the mail tests (aiosmtpd on loopback, tests/notify/smtp_sink.py and
// smtp_tls_sink.py): started on a free port, and a stored mail read back as a reader shows it.
namespace SmtpSink {

inline QString script(const char* name) {
    return QStringLiteral(QUENLARK_SOURCE_DIR "/tests/notify/") + QLatin1String(name);
}

// Starts the script with the arguments and returns the port of its "PORT n" line, 0 when it
// did not start (exit code 3: aiosmtpd is not installed). The authority of a "CA file" line is
// trusted from then on as if it were one of the system's own.
inline quint16 start(QProcess& sink, const QStringList& arguments,
                     const char* name = "smtp_sink.py") {
    sink.start(QStringLiteral("/usr/bin/python3"), QStringList{script(name)} + arguments);
    while (sink.canReadLine() || sink.waitForReadyRead(20000)) {
        const QByteArray line = sink.readLine().trimmed();
        if (line.startsWith("CA ")) {
            QSslConfiguration config = QSslConfiguration::defaultConfiguration();
            config.addCaCertificates(QString::fromUtf8(line.mid(3)));
            QSslConfiguration::setDefaultConfiguration(config);
        }
        if (line.startsWith("PORT "))
            return static_cast<quint16>(line.mid(5).toUInt());
    }
    return 0;
}

// The mail's envelope and what a mail reader shows of it (smtp_sink.py --read).
inline QJsonObject read(const QString& eml) {
    QProcess reader;
    reader.start(QStringLiteral("/usr/bin/python3"),
                 {script("smtp_sink.py"), QStringLiteral("--read"), eml});
    if (!reader.waitForFinished(20000) || reader.exitCode() != 0)
        qWarning() << reader.readAllStandardError();
    return QJsonDocument::fromJson(reader.readAllStandardOutput()).object();
}

} // namespace SmtpSink
