#include "smtpprotocol.h"

#include <cctype>

namespace {

// A line continues its reply when a hyphen follows the three-digit code.
bool continuesReply(const QByteArray& line) {
    return line.size() >= 4 && line[3] == '-' && std::isdigit(static_cast<uchar>(line[0])) &&
           std::isdigit(static_cast<uchar>(line[1])) && std::isdigit(static_cast<uchar>(line[2]));
}

bool parsePort(const QString& text, quint16& port) {
    bool ok = false;
    const uint value = text.toUInt(&ok);
    if (!ok || value == 0 || value > 65535)
        return false;
    port = static_cast<quint16>(value);
    return true;
}

} // namespace

bool SmtpReplyReader::takeReply(Reply& reply) {
    qsizetype start = 0;
    for (;;) {
        const qsizetype end = m_buffer.indexOf('\n', start);
        if (end < 0)
            return false; // the reply's last line has not arrived yet
        QByteArray line = m_buffer.mid(start, end - start);
        if (line.endsWith('\r'))
            line.chop(1);
        start = end + 1;
        if (continuesReply(line))
            continue;
        reply.code = line.left(3);
        reply.lines = m_buffer.left(start);
        m_buffer.remove(0, start);
        return true;
    }
}

SmtpServerAddress ParseServerText(const QString& text, quint16 defaultPort) {
    const QString trimmed = text.trimmed();
    SmtpServerAddress address{trimmed, defaultPort};
    if (trimmed.startsWith(u'[')) {
        const qsizetype close = trimmed.indexOf(u']');
        if (close < 0)
            return address;
        address.host = trimmed.mid(1, close - 1);
        const QString rest = trimmed.mid(close + 1);
        quint16 port = defaultPort;
        if (rest.startsWith(u':') && parsePort(rest.mid(1), port))
            address.port = port;
        return address;
    }
    // One colon only: more than one is a bare IPv6 address, which has no port.
    if (trimmed.count(u':') != 1)
        return address;
    const qsizetype colon = trimmed.indexOf(u':');
    quint16 port = defaultPort;
    if (parsePort(trimmed.mid(colon + 1), port)) {
        address.host = trimmed.left(colon);
        address.port = port;
    }
    return address;
}
