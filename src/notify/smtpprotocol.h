#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Collects received bytes into whole SMTP replies. A reply may arrive split across reads or
// as several lines ("220-..." continues, "220 ..." ends it); only complete replies come out.
class SmtpReplyReader {
public:
    struct Reply {
        QByteArray code;  // the first three characters of the reply's last line
        QByteArray lines; // every line of the reply, CRLF kept
    };

    void append(const QByteArray& data) { m_buffer.append(data); }
    // The next complete reply, or false when the buffer holds none yet.
    bool takeReply(Reply& reply);
    void clear() { m_buffer.clear(); }
    bool isEmpty() const { return m_buffer.isEmpty(); }

private:
    QByteArray m_buffer;
};

// The server field: "host" or "host:port" ("[v6-address]:port" too). Without a port, the
// security setting's default: 25 unless given.
struct SmtpServerAddress {
    QString host;
    quint16 port = 25;
};
SmtpServerAddress ParseServerText(const QString& text, quint16 defaultPort = 25);
